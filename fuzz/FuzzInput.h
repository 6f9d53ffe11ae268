#pragma once
// Small helpers shared by the fuzz targets: a property check that aborts with a message (so
// libFuzzer keeps the input), and the cutting of one input into parts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace tei::fuzz {

inline void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

inline std::string_view bytes(const uint8_t* data, size_t size) { return {reinterpret_cast<const char*>(data), size}; }

// The input cut at every byte 'separator' (the separators dropped), at most 'most' parts; the last
// part keeps the rest.
inline std::vector<std::string_view> split(std::string_view in, char separator, size_t most) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < most) {
        size_t at = in.find(separator);
        if (at == std::string_view::npos) break;
        parts.push_back(in.substr(0, at));
        in.remove_prefix(at + 1);
    }
    parts.push_back(in);
    return parts;
}

// A text field that the writers can put back so that it reads as the same text: bare when a bare
// line holds it, else in double quotes, which hold anything but a quote or a line end.
inline bool plainQuoted(std::string_view s) { return s.find_first_of("\"\r\n") == std::string_view::npos; }

}  // namespace tei::fuzz
