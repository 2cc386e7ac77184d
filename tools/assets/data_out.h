// Writing generated data files; a generator that cannot write must not pass silently.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace data_out {

// Writes the whole file or ends the generator with a message and status 1.
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);

void PutU16(std::vector<std::uint8_t>& out, unsigned value);
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value);

}  // namespace data_out
