#pragma once
// A game folder of its own for one test: a fresh temporary directory with ini/ and save/, removed
// when the test ends. Files are written as given (the test decides line ends and encoding).

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "core/GameFolder.h"

namespace tei::test {

// Every entry of a game folder's ini/ and save/, temporaries and journals included: "ini/busv.ini" -> bytes.
using Files = std::map<std::string, std::string>;
Files filesOf(const std::filesystem::path& root);

class TempGameFolder {
public:
    TempGameFolder();
    ~TempGameFolder();
    TempGameFolder(const TempGameFolder&) = delete;
    TempGameFolder& operator=(const TempGameFolder&) = delete;

    GameFolder& folder() { return folder_; }
    const GameFolder& folder() const { return folder_; }
    const std::filesystem::path& root() const { return root_; }

    void writeIni(std::string_view name, std::string_view content) const;
    void writeSave(std::string_view name, std::string_view content) const;
    std::string readIni(std::string_view name) const;
    std::string readSave(std::string_view name) const;
    bool hasIni(std::string_view name) const;
    Files files() const { return filesOf(root_); }
    // Copies every file of the shipped data/ini folder into ini/.
    void copyShippedData() const;

private:
    std::filesystem::path root_;
    GameFolder folder_;
};

// Joins lines with CR LF, each line ended by CR LF: crlf({"a", "b"}) = "a\r\nb\r\n".
std::string crlf(std::initializer_list<std::string_view> lines);

}  // namespace tei::test
