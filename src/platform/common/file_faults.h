// File errors that tests inject by file name, to reach the game's fatal paths
// without damaging a disk. Empty in normal runs.
#pragma once

#include <string>

namespace platform {
struct File;
}

namespace platform::faults {

// A whole-file replacement meets Create when it makes its temporary, Write,
// Close when it flushes the temporary to the disk and closes it, and Rename.
enum class Op { Open, Read, Write, Close, Create, Rename };

// The next `op` on a file whose name ends with `name` fails with `code`.
void Inject(const std::string& name, Op op, int code);
void Clear();
int TakeFault(const std::string& path, Op op);
int TakeFault(File* file, Op op);
void Remember(File* file, const std::string& path);
void Forget(File* file);

}  // namespace platform::faults
