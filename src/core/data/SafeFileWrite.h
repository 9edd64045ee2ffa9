#pragma once

#include <string>
#include <string_view>

namespace yarrow {

// Writes the whole file through a temporary file created exclusively, under a unique name, in the
// target's folder, then renamed over the target: a failed write leaves an existing file whole, and
// no fixed side name can be taken over by another file or a symbolic link. The new file gets the
// permissions a plain create would give it. Returns the reason when the file cannot be written,
// an empty text when it was.
std::string WriteFileReplacing(const std::string& path, std::string_view bytes);

} // namespace yarrow
