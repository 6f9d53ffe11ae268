#pragma once
// The game folder on the disk. A file is never rewritten in place: its new bytes go to a temporary
// file beside it (".tmp-PID-N-name") that is then renamed over it, so neither a failed write nor a
// killed process leaves half a file.
//
// A step of several files is all or nothing under a failed write and under a crash. It writes every
// temporary first, gives every file it replaces a second name (the temporary's name and ".old"), and
// writes a journal beside the first target (".journal-PID-N") listing each temporary, its target and
// that second name, with a checksum on its last line. Only then are the temporaries renamed over their
// targets, one by one; then the second names and the journal are removed. The journal is the step's
// point of no return, and the next start of either program settles what a crash left (recover()):
//   - no whole journal: no target was touched yet, so the temporaries go and the old files stay;
//   - a whole journal: the temporaries still there are renamed over their targets, so the new files
//     stay (rolled forward: the new bytes are already on the disk, nothing has to be copied back);
//   - a rename that fails while the program runs (a file that cannot be replaced) first marks the
//     journal "undo", then puts the replaced files back from their second names; the next start
//     finishes that if the program died meanwhile.
// A whole journal whose step can neither be finished nor undone is left where it is, with the files,
// and recover() names it. Journals are looked for in ini/ and save/, where every step of the game
// writes.
//
// Against a power cut the order of these has to reach the disk too. With Flush::Always (the programs)
// every temporary is flushed, then the journal, then the folders, before the first rename, and the
// folders again after the last rename, before the journal goes; a single file is flushed before its
// rename and its folder after it. A journal is locked (flock) while its step runs, so a second program
// starting in the same folder leaves a running step alone, and temporaries of a process that still
// runs are left alone too.

#include <functional>
#include <optional>

#include "core/Storage.h"

namespace tei {

class DiskStorage final : public Storage {
public:
    enum class Flush {
        Always,     // every replace is on the disk when it returns, in an order a power cut cannot mix
        WhenAsked,  // only durable replaces are flushed; a killed process still leaves every step whole
    };
    explicit DiskStorage(std::filesystem::path root, Flush flush = Flush::Always);
    ~DiskStorage() override;
    DiskStorage(const DiskStorage&) = delete;
    DiskStorage& operator=(const DiskStorage&) = delete;

    Probe probe(const std::filesystem::path& p) const override;
    Bytes read(const std::filesystem::path& p) const override;
    std::vector<std::string> list(const std::filesystem::path& dir) const override;
    bool isFolder(const std::filesystem::path& dir) const override;
    size_t longestName(const std::filesystem::path& dir) const override;
    void replace(const std::vector<Replacement>& files, bool durable) override;
    std::optional<std::string> recover() override;

    // For crash tests: called at every instant of a replace at which a crash leaves something to settle
    // (after each temporary, second name, rename, removal, and the journal), with what was just done.
    void setInstantHook(std::function<void(const char*)> hook) { instantHook_ = std::move(hook); }

private:
    struct Target;
    class Journal;

    std::filesystem::path writeTemporary(const Replacement& file, bool durable, bool flush) const;
    void replaceOne(Target& t, bool flush);
    void replaceSeveral(std::vector<Target>& targets, bool flush);
    // Settles one journal left by a stopped run; a message when it cannot.
    std::optional<std::string> settle(const std::filesystem::path& journal);
    void instant(const char* what) const {
        if (instantHook_) instantHook_(what);
    }

    Flush flush_;
    std::function<void(const char*)> instantHook_;
    // A step whose files could not all be put back: its journal stays for the next start, and nothing
    // more is written by this run (it holds the journal's lock until then).
    std::optional<std::filesystem::path> brokenStep_;
    int brokenStepLock_ = -1;
};

}  // namespace tei
