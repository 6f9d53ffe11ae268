// Renders the information screens and the editors with the shipped scenario 1 data, as a new game's
// title screen leaves the working files (the faction list with all thirteen factions), and then the
// game's own screens (the title screen with its opening, the main screen, the strategy description,
// the message window with its page counter, the save screen with a saved slot in its list and the
// chronicle reader) along the first year of a two-player game, into PNG files: the pictures of the
// README.
//
//   screenshots [<data ini folder> [<output folder>]]
//
// Runs on Qt's offscreen platform unless another one is asked for; works in a temporary game folder
// and leaves the data folder untouched.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>

#include "core/GameFolder.h"
#include "core/GameGlobals.h"
#include "core/OfficerRecordFile.h"
#include "core/Random.h"
#include "core/RecordFiles.h"
#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"
#include "game/forms/Forecast.h"
#include "game/forms/Main.h"
#include "game/forms/VersionBox.h"
#include "messages/Chronicle.h"
#include "messages/forms/DLogReader.h"
#include "messages/forms/Msg.h"
#include "screens/SaveSlots.h"
#include "screens/forms/ALL_Gdata.h"
#include "screens/forms/All_Bdata.h"
#include "screens/forms/B_data.h"
#include "screens/forms/Cmt_Edit.h"
#include "screens/forms/Editor.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/SVLD.h"
#include "screens/forms/Status.h"
#include "screens/forms/Strate.h"
#include "setup/ScenarioSetup.h"
#include "setup/forms/Form2.h"

namespace fs = std::filesystem;
using namespace tei;

namespace {

// Saves a picture of a window that is already on the screen.
bool save(QWidget& w, const QString& folder, const char* name) {
    QApplication::processEvents();
    QString path = QDir(folder).filePath(QString::fromUtf8(name) + ".png");
    bool ok = w.grab().save(path);
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(path), w.width(), w.height());
    return ok;
}

bool grab(QWidget& w, const QString& folder, const char* name) {
    w.show();
    QApplication::processEvents();
    w.adjustSize();
    bool ok = save(w, folder, name);
    w.hide();
    return ok;
}

void click(QWidget* w) {
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void point(QWidget* w, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void press(QWidget* dialog, const char* button) {
    if (auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(button)); b && b->isEnabled()) b->click();
}

// Answers the modal windows of a scripted run in the order they come. Each answer runs from a timer
// of its own, as it may open the next window; a window that does not come ends the run.
class Script {
public:
    using Answer = std::function<void(QWidget*)>;
    Script() {
        poll_.setInterval(20);
        QObject::connect(&poll_, &QTimer::timeout, [this] { step(); });
    }
    void then(const char* className, Answer answer) {
        steps_.push_back({className, std::move(answer)});
        poll_.start();
    }
    void box(Answer answer = {}) {
        then("QMessageBox", [answer](QWidget* w) {
            if (answer) answer(w);
            auto* b = static_cast<QMessageBox*>(w);
            (b->button(QMessageBox::Yes) ? b->button(QMessageBox::Yes) : b->button(QMessageBox::Ok))->click();
        });
    }
    bool done() const { return steps_.empty(); }

private:
    void step() {
        if (steps_.empty()) {
            poll_.stop();
            return;
        }
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->isVisible() && !w->property("answered").toBool() && w->inherits(steps_.front().first)) {
            w->setProperty("answered", true);
            QPointer<QWidget> target(w);
            QTimer::singleShot(0, qApp, [target, answer = steps_.front().second] {
                if (target) answer(target);
            });
            steps_.pop_front();
            waited_ = 0;
            return;
        }
        if ((waited_ += poll_.interval()) > 20000) {
            std::fprintf(stderr, "no %s came\n", steps_.front().first);
            std::exit(1);
        }
    }
    std::deque<std::pair<const char*, Answer>> steps_;
    QTimer poll_;
    int waited_ = 0;
};

// A game folder in the temporary folder: ini/ holding a copy of the data folder, and an empty save/.
fs::path seedGameFolder(const QTemporaryDir& tmp, const fs::path& data) {
    fs::path root = tmp.path().toStdString();
    fs::create_directories(root / "ini");
    fs::create_directories(root / "save");
    for (const auto& e : fs::directory_iterator(data)) fs::copy_file(e.path(), root / "ini" / e.path().filename());
    return root;
}

// The game's own screens along the first year of a game of 曹操 and 孫堅, in a game folder of its own.
bool grabGame(const fs::path& data, const QString& out) {
    QTemporaryDir tmp;
    fs::path root = seedGameFolder(tmp, data);
    GameFolder folder(root);
    GameGlobals g;
    SeededRandom rng(189);
    bool ok = true;
    {
        Form2 title(folder, g, rng);
        title.show();
        QWidget* picture = title.findChild<QWidget*>(QStringLiteral("Picture1"));
        click(picture);
        click(picture);
        ok &= save(title, out, "Form2_opening");
        click(picture);
        auto* rulers = title.findChild<QListWidget*>(QStringLiteral("List1_1"));
        rulers->item(2)->setSelected(true);
        rulers->item(4)->setSelected(true);
        ok &= save(title, out, "Form2");
        title.hide();
    }
    ScenarioSetup setup(folder, g, rng);
    if (!setup.Form_Load().ok || !setup.startNewGame({2, 4}).ok) return false;

    Main main(folder, g, rng);
    main.show();
    Script script;
    script.box();  // 曹操の番です。
    main.start();

    // 曹操 points at the first offer of his frame (its target and difficulty show in the help line),
    // picks it; 孫堅 leaves his turn to the computer.
    int frame = 0;
    while (frame < kFrameCount && !main.cycle().isCurrentPlayersFrame(frame)) ++frame;
    auto* offers = main.findChild<QListWidget*>(QStringLiteral("Com_Lst_%1").arg(frame));
    if (!offers || offers->count() == 0) return false;
    point(offers->viewport(), offers->visualItemRect(offers->item(0)).center());
    ok &= save(main, out, "Main");
    script.then("tei::Strate", [&](QWidget* w) {
        ok &= save(*w, out, "Strate");
        press(w, "Command1_1");
    });
    script.box([&](QWidget* w) { ok &= save(*w, out, "Question"); });
    script.box();  // 孫堅の番です。
    emit offers->itemClicked(offers->item(0));
    script.box();  // 孫堅の行動をコンピュータに任せますか？
    script.then("tei::Msg", [&](QWidget* w) {
        ok &= save(*w, out, "Msg");  // page 1 of the year's story, its counter beside the buttons
        press(w, "Command1_0");
    });
    script.then("tei::Msg", [&](QWidget* w) {
        ok &= save(*w, out, "Msg_yearEnd");
        press(w, "Command1_0");
    });
    script.box();  // 曹操の番です。
    main.findChild<QPushButton*>(QStringLiteral("Command1_3"))->click();
    ok &= script.done();
    ok &= save(main, out, "Main_190");

    // The save screen with the slot saved in 189 in its list, the number being typed.
    g.gameMode = GameMode::Save;
    g.saveHeader[0] = 189;
    g.saveHeader[4] = g.scenarioNo;
    ok &= SaveSlots(folder, g).save_rtn("1").ok;
    g.saveHeader[0] = main.cycle().yearCounter;
    {
        SVLD w(folder, g, &main);
        w.findChild<QPushButton*>(QStringLiteral("Command1_1"))->click();
        w.findChild<QPushButton*>(QStringLiteral("Command1_2"))->click();
        ok &= grab(w, out, "SVLD");
    }
    {
        DLogReader w(folder, &main);
        w.logPath = folder.ini(kChronicleFile);
        ok &= w.Form_Load().empty();
        ok &= grab(w, out, "DLogReader");
    }
    // 戦況予測 of the game in 190, its 500 games played here rather than behind the progress dialog.
    {
        SweepStart start;
        ok &= !continuationOf(folder, g, main.cycle().yearCounter, start);
        SweepRun run(std::move(start), kForecastGames, 1);
        run.play(defaultJobs());
        ok &= !run.failure();
        Forecast w(oddsLines(run.tally(), g), kForecastGames, main.cycle().yearCounter, &main);
        ok &= grab(w, out, "Forecast");
    }
    main.hide();
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;  // Qt wants a private runtime folder of its own
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);
    applyGameLook(app);
    // The windows keep their sizes and places in settings of this run's own, not the player's.
    QTemporaryDir settings;
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settings.path());

    fs::path data = argc > 1 ? fs::path(argv[1]) : fs::path(TEIJIROKU_SOURCE_DIR) / "data" / "ini";
    QString out = argc > 2 ? QString::fromLocal8Bit(argv[2])
                           : QString::fromUtf8(TEIJIROKU_SOURCE_DIR) + QStringLiteral("/docs/screenshots");
    QDir().mkpath(out);

    // A game folder as the title screen leaves it when it opens: scenario 1's working files.
    QTemporaryDir tmp;
    fs::path root = seedGameFolder(tmp, data);
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
    ok &= grabGame(data, out);
    return ok ? 0 : 1;
}
