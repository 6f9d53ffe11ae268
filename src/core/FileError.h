#pragma once
// A data file that could not be found, read or written. The message is a complete Japanese sentence
// naming the file, ready to be shown to the player; the path is the file's name inside the game folder
// ("ini/busv.ini").
//
// File routines throw it; the engine's entry points that screens and the command line call catch it
// and hand the message on, so it never reaches a form unhandled.

#include <stdexcept>
#include <string>

namespace tei {

class FileError : public std::runtime_error {
public:
    enum class Kind { Missing, Unreadable, NotText, Unwritable, CutShort, BadRecord };
    FileError(Kind kind, std::string path);
    // A file whose content the game cannot take, with what is wrong: the sentence after the file's
    // name ("ファイル「ini/x.ini」の" + detail). Kind BadRecord.
    FileError(std::string path, const std::string& detail);

    Kind kind() const { return kind_; }
    const std::string& path() const { return path_; }
    const std::string& message() const { return message_; }

private:
    Kind kind_;
    std::string path_;
    std::string message_;
};

}  // namespace tei
