#pragma once
// The game folder on the disk. A file is never rewritten in place: its new bytes go to a temporary
// file beside it (".tmp-PID-N-name") that is then renamed over it, so a failed write leaves the old
// file whole. A step of several files writes every temporary before the first rename; a rename that
// fails part-way puts back the files already replaced, from second names the old files were given
// before the renames began (where the disk allows a file a second name).

#include "core/Storage.h"

namespace tei {

class DiskStorage final : public Storage {
public:
    explicit DiskStorage(std::filesystem::path root);

    Probe probe(const std::filesystem::path& p) const override;
    Bytes read(const std::filesystem::path& p) const override;
    std::vector<std::string> list(const std::filesystem::path& dir) const override;
    bool isFolder(const std::filesystem::path& dir) const override;
    void replace(const std::vector<Replacement>& files, bool durable) override;

private:
    struct Target;

    std::filesystem::path writeTemporary(const Replacement& file, bool durable) const;
    void replaceSeveral(std::vector<Target>& targets);
};

}  // namespace tei
