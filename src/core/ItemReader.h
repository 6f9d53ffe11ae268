#pragma once
// Reads the game's data files item by item: items are separated by commas or line ends, and a text
// item stands bare or in double quotes. Because values are read item by item, a reader does not care
// how a writer split them over lines.
//
// A record starts with a marker item: "." directly followed by its number (".12"). The record scan of
// every loader looks for the next marker and then reads the record's fields in order.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tei {

struct Item {
    std::string text;
    bool quoted = false;      // the item stood in double quotes
    bool startsLine = false;  // the item is the first on its line

    bool isMarker() const { return !quoted && !text.empty() && text[0] == '.'; }
    // A marker as the writers write one: "." and decimal digits only. Any other marker is a value
    // written bare with a leading "." (a name such as ".abc") that the record scan mistakes for one.
    bool isHeader() const;
    int16_t markerNumber() const;  // the numeric value of the text after the ".", 0 without digits
    int16_t number() const;        // the item as a 16-bit number (leading number, saturated)
};

class ItemReader {
public:
    // How a double quote inside a quoted item is read.
    enum class Quotes {
        Plain,    // the first quote after the opening one closes the item
        Doubled,  // two quotes in a row stand for one quote of the text (the comment file's lines)
    };
    explicit ItemReader(std::string_view text, Quotes quotes = Quotes::Plain) : text_(text), quotes_(quotes) {}

    bool atEnd() const;
    // The next item; nothing at the end of the text.
    std::optional<Item> next();
    // The next item that is a marker, skipping everything else; nothing at the end.
    std::optional<Item> nextMarker();
    // Looks at the next item without consuming it; the reference holds until the next read.
    const std::optional<Item>& peek();

private:
    std::optional<Item> read();
    void skipBlanks();
    std::string_view text_;
    Quotes quotes_;
    size_t pos_ = 0;
    std::optional<Item> lookahead_;  // an item peeked at and not yet taken
};

// Reads the fields of one record after its marker. Fields past the end of the text, or past a
// following marker that starts a line (a record cut short), are not delivered: the caller keeps the
// field's initial value. Stops at such a marker without consuming it.
class FieldReader {
public:
    explicit FieldReader(ItemReader& items) : items_(items) {}

    // True and the text when the record still has a field.
    bool text(std::string& out);
    bool number(int16_t& out);
    bool exhausted() const { return exhausted_; }

private:
    std::optional<Item> field();
    ItemReader& items_;
    bool exhausted_ = false;
};

}  // namespace tei
