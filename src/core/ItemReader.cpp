#include "core/ItemReader.h"

#include "core/Numbers.h"

namespace tei {

bool Item::isHeader() const {
    if (!isMarker() || text.size() < 2) return false;
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

int16_t Item::markerNumber() const { return Val16(std::string_view(text).substr(1)); }
int16_t Item::number() const {
    // Most items are plain whole numbers: read those directly, anything else as the game's numeric
    // conversion reads it.
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (text.size() > i && text.size() - i <= 9) {
        long v = 0;
        size_t k = i;
        for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) v = v * 10 + (text[k] - '0');
        if (k == text.size()) return sat16(text[0] == '-' ? -v : v);
    }
    return Val16(text);
}

void ItemReader::skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
}

bool ItemReader::atEnd() const {
    if (lookahead_) return false;
    // Trailing blanks and line ends after the last item hold no further item.
    for (size_t i = pos_; i < text_.size(); ++i) {
        char c = text_[i];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return true;
}

std::optional<Item> ItemReader::next() {
    if (lookahead_) {
        std::optional<Item> item = std::move(lookahead_);
        lookahead_.reset();
        return item;
    }
    return read();
}

std::optional<Item> ItemReader::read() {
    if (atEnd()) return std::nullopt;
    Item item;
    // A line ends at CR LF, LF or a lone CR, as for the line readers (core/TextLines.h).
    item.startsLine = pos_ == 0 || text_[pos_ - 1] == '\n' || text_[pos_ - 1] == '\r';
    skipBlanks();
    auto lineEnd = [&](size_t i) { return i >= text_.size() || text_[i] == '\r' || text_[i] == '\n'; };
    if (pos_ < text_.size() && text_[pos_] == '"') {
        item.quoted = true;
        size_t from = pos_ + 1;
        for (;;) {
            size_t close = from;
            while (close < text_.size() && text_[close] != '"' && !lineEnd(close)) ++close;
            item.text.append(text_.substr(from, close - from));
            if (quotes_ == Quotes::Doubled && text_.substr(close, 2) == "\"\"") {
                item.text += '"';
                from = close + 2;
                continue;
            }
            pos_ = close < text_.size() && text_[close] == '"' ? close + 1 : close;
            break;
        }
        // Anything between the closing quote and the separator is not part of the item.
        while (!lineEnd(pos_) && text_[pos_] != ',') ++pos_;
    } else {
        size_t start = pos_;
        while (!lineEnd(pos_) && text_[pos_] != ',') ++pos_;
        size_t end = pos_;
        while (end > start && (text_[end - 1] == ' ' || text_[end - 1] == '\t')) --end;
        item.text.assign(text_.substr(start, end - start));
    }
    // Consume the separator: a comma, or one line end (CR LF, LF or a lone CR).
    if (pos_ < text_.size()) {
        if (text_[pos_] == ',') {
            ++pos_;
        } else if (text_[pos_] == '\r') {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        } else if (text_[pos_] == '\n') {
            ++pos_;
        }
    }
    return item;
}

const std::optional<Item>& ItemReader::peek() {
    if (!lookahead_) lookahead_ = read();
    return lookahead_;
}

std::optional<Item> ItemReader::nextMarker() {
    while (auto item = next())
        if (item->isMarker()) return item;
    return std::nullopt;
}

std::optional<Item> FieldReader::field() {
    if (exhausted_) return std::nullopt;
    const auto& item = items_.peek();
    if (!item || (item->isMarker() && item->startsLine)) {
        exhausted_ = true;
        return std::nullopt;
    }
    return items_.next();
}

bool FieldReader::text(std::string& out) {
    auto item = field();
    if (!item) return false;
    out = std::move(item->text);
    return true;
}

bool FieldReader::number(int16_t& out) {
    auto item = field();
    if (!item) return false;
    out = item->number();
    return true;
}

}  // namespace tei
