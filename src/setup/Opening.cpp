#include "setup/Opening.h"

namespace tei {

void Opening::advance(int hideAbove) {
    if (hidden_) return;
    ++counter_;
    if (counter_ > hideAbove) hidden_ = true;
}

}  // namespace tei
