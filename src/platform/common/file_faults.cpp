// Injected file errors, looked up by the end of a file's path.
#include "platform/common/file_faults.h"

#include <map>
#include <vector>

namespace platform::faults {
namespace {

struct Fault {
    std::string name;
    Op op;
    int code;
};
std::vector<Fault> pending;
std::map<File*, std::string> openPaths;

bool EndsWith(const std::string& path, const std::string& name) {
    return path.size() >= name.size() && path.compare(path.size() - name.size(), name.size(), name) == 0;
}

}  // namespace

void Inject(const std::string& name, Op op, int code) { pending.push_back({name, op, code}); }

void Clear() {
    pending.clear();
    openPaths.clear();
}

int TakeFault(const std::string& path, Op op) {
    for (auto it = pending.begin(); it != pending.end(); ++it) {
        if (it->op == op && EndsWith(path, it->name)) {
            const int code = it->code;
            pending.erase(it);
            return code;
        }
    }
    return 0;
}

int TakeFault(File* file, Op op) {
    if (pending.empty()) return 0;
    auto it = openPaths.find(file);
    return it == openPaths.end() ? 0 : TakeFault(it->second, op);
}

void Remember(File* file, const std::string& path) {
    if (!pending.empty()) openPaths[file] = path;
}

void Forget(File* file) { openPaths.erase(file); }

}  // namespace platform::faults
