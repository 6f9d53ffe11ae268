#include "messages/MessagePages.h"

namespace tei {

MessagePages::MessagePages(int pageCount, int lastComposable)
    : pages_(static_cast<size_t>(pageCount)), lastComposable_(lastComposable) {}

void MessagePages::clear_Text_rtn() {
    for (auto& p : pages_) p.clear();
}

void MessagePages::nextPage() {
    if (page < lastComposable_) ++page;
}

void MessagePages::markEnd() {
    int next = page + 1;
    if (next < count()) pages_[static_cast<size_t>(next)] = kEndOfPages;
}

}  // namespace tei
