#pragma once
// A game folder kept in memory, for playing many games at once without touching the disk: each game
// gets a storage of its own. One is made by reading the files of a game folder on the disk once
// (readFrom); copies of it share those bytes, which are never changed, only replaced by new ones, so
// games in several threads need no locks as long as each has its own copy. A step of several files
// is a change of the table of files, so nothing can be half replaced and nothing needs recovering.

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/Storage.h"

namespace tei {

class MemoryStorage final : public Storage {
public:
    // An empty game folder with the folders ini/ and save/ beneath root.
    explicit MemoryStorage(std::filesystem::path root);
    // The files of ini/ and save/ of the game folder on the disk at root, under the same root (so
    // messages name files as on the disk). Throws FileError when a file cannot be read.
    static MemoryStorage readFrom(const std::filesystem::path& root);

    Probe probe(const std::filesystem::path& p) const override;
    Bytes read(const std::filesystem::path& p) const override;
    std::vector<std::string> list(const std::filesystem::path& dir) const override;
    bool isFolder(const std::filesystem::path& dir) const override;
    size_t longestName(const std::filesystem::path& dir) const override;
    void replace(const std::vector<Replacement>& files, bool durable) override;
    std::optional<std::string> recover() override { return std::nullopt; }

private:
    struct File {
        std::shared_ptr<const std::string> bytes;
        unsigned long long serial;  // a new one for every write, as the version's id
    };
    void put(const std::filesystem::path& p, std::shared_ptr<const std::string> bytes);

    std::unordered_map<std::string, File> files_;  // by full path
    std::unordered_set<std::string> folders_;
    unsigned long long nextSerial_ = 1;
};

}  // namespace tei
