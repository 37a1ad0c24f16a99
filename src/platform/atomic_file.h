// Writing a file so that it is either completely replaced or left exactly as it was:
// the bytes go to a temporary file beside the target, are flushed to disk, and the
// temporary file is renamed over the target. A failure at any step removes the temporary
// file and leaves the target untouched.
//
//   if (auto error = WriteFileAtomically(path, bytes)) report(error.message());
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

namespace kx::platform {

// Called before a write; tests use it to simulate a full disk or a failure mid-write.
// Returns an error to fail the write with it.
using WriteFault = std::error_code (*)(const std::filesystem::path& target);
void SetWriteFaultForTesting(WriteFault fault);

// Returns an empty error code on success. before_replace runs once the new bytes are safely
// on disk, just before they replace the target (a backup of the old file is made there); an
// error from it fails the write and leaves the target as it was.
std::error_code WriteFileAtomically(
    const std::filesystem::path& target, std::string_view bytes,
    const std::function<std::error_code()>& before_replace = nullptr);

// The whole file, or an error. Refuses files larger than max_bytes (std::errc::file_too_large).
std::error_code ReadWholeFile(const std::filesystem::path& path, std::string& bytes,
                              std::uintmax_t max_bytes = std::uintmax_t{1} << 30);

}  // namespace kx::platform
