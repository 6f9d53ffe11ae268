// Renders the information screens and the editors with the shipped scenario 1 data, as a new game's
// title screen leaves the working files, into PNG files: the pictures of the README.
//
//   screenshots [<data ini folder> [<output folder>]]
//
// Runs on Qt's offscreen platform unless another one is asked for; works in a temporary game folder
// and leaves the data folder untouched.

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/OfficerRecordFile.h"
#include "core/Random.h"
#include "core/RecordFiles.h"
#include "screens/forms/ALL_Gdata.h"
#include "screens/forms/All_Bdata.h"
#include "screens/forms/B_data.h"
#include "screens/forms/Cmt_Edit.h"
#include "screens/forms/Editor.h"
#include "screens/forms/GameLook.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/MessageBoxes.h"
#include "screens/forms/Status.h"
#include "screens/forms/VersionBox.h"
#include "setup/ScenarioSetup.h"

namespace fs = std::filesystem;
using namespace tei;

namespace {

bool grab(QWidget& w, const QString& folder, const char* name) {
    w.show();
    QApplication::processEvents();
    w.adjustSize();
    QApplication::processEvents();
    QString path = QDir(folder).filePath(QString::fromUtf8(name) + ".png");
    bool ok = w.grab().save(path);
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(path), w.width(), w.height());
    w.hide();
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;  // Qt wants a private runtime folder of its own
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);
    applyGameLook(app);

    fs::path data = argc > 1 ? fs::path(argv[1]) : fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini";
    QString out = argc > 2 ? QString::fromLocal8Bit(argv[2])
                           : QString::fromUtf8(TEIJIROKU_SOURCE_DIR) + QStringLiteral("/docs/screenshots");
    QDir().mkpath(out);

    // A game folder as the title screen leaves it when it opens: scenario 1's working files.
    QTemporaryDir tmp;
    fs::path root = tmp.path().toStdString();
    fs::create_directories(root / "ini");
    fs::create_directories(root / "save");
    for (const auto& e : fs::directory_iterator(data)) fs::copy_file(e.path(), root / "ini" / e.path().filename());
    GameFolder folder(root);
    GameGlobals g;
    SeededRandom rng(1);
    ScenarioSetup title(folder, g, rng);
    if (auto opened = title.Form_Load(); !opened.ok) {
        std::fprintf(stderr, "%s\n", opened.message.c_str());
        return 1;
    }

    bool ok = true;
    {
        ALL_Gdata w(folder, g);
        ok &= grab(w, out, "ALL_Gdata");
    }
    {
        All_Bdata w(folder, g);
        ok &= grab(w, out, "All_Bdata");
    }
    g.detailId = 3;  // 曹操
    g.msgText = "戦争を画策中";
    {
        Gdata w(folder, g);
        ok &= grab(w, out, "Gdata");
    }
    {
        B_data w(folder, g);
        ok &= grab(w, out, "B_data");
    }
    g.detailId = 29;  // an officer of 曹操's
    {
        Status w(folder, g);
        ok &= grab(w, out, "Status");
    }
    Bushou officer = readOfficerRecord(folder, folder.ini(kOfficerFile), g.detailId).value_or(Bushou{});
    {
        Editor w(folder, g, officer);
        ok &= grab(w, out, "Editor");
    }
    {
        g.msgText = officer.name;
        Cmt_Edit w(folder, g);
        w.setComment(ld_Comment_rtn(folder, officer.commentID));
        w.setBushou(officer);
        ok &= grab(w, out, "Cmt_Edit");
    }
    {
        auto box = makeMessageBox(nullptr, qs(kVersionText), BoxButtons::Ok);
        ok &= grab(*box, out, "VersionBox");
    }
    return ok ? 0 : 1;
}
