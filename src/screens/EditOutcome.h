#pragma once
// The answer of an editor's file routine: whether the files were changed, and the Japanese sentence
// the screen shows (a refusal, a file that could not be read or written, or the notice of success;
// empty when nothing needs saying).

#include <string>

namespace tei {

struct [[nodiscard]] EditOutcome {
    bool ok = false;
    std::string message;
};

}  // namespace tei
