#include "game/forms/Main.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/forms/GameLook.h"
#include "core/forms/HoverHelp.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "game/forms/Forecast.h"
#include "game/forms/VersionBox.h"
#include "messages/Chronicle.h"
#include "messages/forms/DLogReader.h"
#include "messages/forms/Msg.h"
#include "screens/forms/ALL_Gdata.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/SVLD.h"
#include "screens/forms/Strate.h"

namespace tei {

namespace {
constexpr const char* kMembersHeading = "所属軍閥";
constexpr const char* kOffersHeading = "戦略";
constexpr const char* kAutoCaption = "Auto";

constexpr const char* kHelpOffers = "戦略をクリックすると説明が表示されます（水色のリストから選択できます）";
constexpr const char* kHelpMembers = "軍閥をクリックすると内情が表示されます";
constexpr const char* kHelpPlayers = "プレイヤーの軍閥をクリックすると内情が表示されます";
constexpr const char* kHelpAuto = "手番のプレイヤーの行動をコンピュータに任せます";

QListWidget* makeList(const QString& name, int rows, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumHeight((list->fontMetrics().height() + 4) * rows + 6);
    return list;
}
}  // namespace

Main::Main(const GameFolder& folder, GameGlobals& g, Random& rng, QWidget* parent)
    : QDialog(parent), folder_(folder), g_(g), cycle_(folder, g, rng, *this) {
    init_rtn();
}

int Main::exec() {
    QTimer::singleShot(0, this, &Main::start);
    return QDialog::exec();
}

void Main::start() {
    refresh();
    cycle_.Form_Load();
    afterCall();
}

// Layout

void Main::init_rtn() {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(qs(kGameTitle));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);  // the game's own window, not a passing dialog
    auto* layout = new QVBoxLayout(this);
    buildMenus();
    layout->setMenuBar(findChild<QMenuBar*>());

    yearHeading_ = makeHeading({}, this);
    yearHeading_->setObjectName(QStringLiteral("yearHeading"));
    layout->addWidget(yearHeading_);

    auto* body = new QHBoxLayout;
    // The players' column: as wide as a long faction name.
    auto* sideColumn = new QWidget(this);
    sideColumn->setFixedWidth(fontMetrics().horizontalAdvance(QString(10, QChar(0x6F22))));
    auto* side = new QVBoxLayout(sideColumn);
    side->setContentsMargins(0, 0, 0, 0);
    playerLabel_ = new QLabel(this);
    playerLabel_->setObjectName(QStringLiteral("playerLabel"));
    QFont bold = playerLabel_->font();
    bold.setBold(true);
    playerLabel_->setFont(bold);
    playerLabel_->setMinimumHeight(playerLabel_->fontMetrics().lineSpacing() * 2 + 4);
    side->addWidget(playerLabel_);
    dsp_PC_ = makeList(QStringLiteral("dsp_PC"), 8, this);
    connect(dsp_PC_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { dsp_PC_Click(dsp_PC_->row(item)); });
    side->addWidget(dsp_PC_, 1);
    Command1_3_ = new QPushButton(qs(kAutoCaption), this);
    Command1_3_->setObjectName(QStringLiteral("Command1_3"));
    Command1_3_->setAutoDefault(false);
    Command1_3_->setMinimumHeight(fontMetrics().height() * 2 + 8);
    connect(Command1_3_, &QPushButton::clicked, this, [this] { Command1_Click(3); });
    side->addWidget(Command1_3_);
    body->addWidget(sideColumn);
    for (int k = 0; k < kFrameCount; ++k) body->addWidget(buildFrame(k), 1);
    layout->addLayout(body, 1);

    Lab_hlp_ = new QLabel(this);
    Lab_hlp_->setObjectName(QStringLiteral("Lab_hlp"));
    Lab_hlp_->setMinimumHeight(fontMetrics().height() + 4);
    layout->addWidget(Lab_hlp_);
    auto* help = new HoverHelp(Lab_hlp_, this);
    // A list gets the pointer in its viewport: both carry the help.
    auto addList = [help](QListWidget* list, const char* text) {
        help->add(list, qs(text));
        help->add(list->viewport(), qs(text));
    };
    for (int k = 0; k < kFrameCount; ++k) {
        addList(Com_Lst_[static_cast<size_t>(k)], kHelpOffers);
        addList(Gun_lst_[static_cast<size_t>(k)], kHelpMembers);
    }
    addList(dsp_PC_, kHelpPlayers);
    help->add(Command1_3_, qs(kHelpAuto));

    resize(1180, 700);
    rememberGeometry(this);
}

void Main::buildMenus() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    auto item = [this](QMenu* menu, const char* text, const char* name, auto slot) {
        QAction* a = menu->addAction(qs(text));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        addAction(a);  // so its shortcut works while the menu is closed
        return a;
    };
    QMenu* file = bar->addMenu(QString::fromUtf8("ファイル"));
    file->setObjectName(QStringLiteral("mnFile"));
    item(file, "セーブ", "cmdSave", &Main::cmdSave_Click)->setShortcut(QKeySequence::Save);
    item(file, "ロード", "cmdLoad", &Main::cmdLoad_Click);
    item(file, "最初から", "newGame", &Main::newGame_Click);
    file->addSeparator();
    item(file, "終了", "exitGame", &Main::exitGame_Click);
    QMenu* info = bar->addMenu(QString::fromUtf8("情報"));
    info->setObjectName(QStringLiteral("mnInfo"));
    item(info, "軍閥一覧", "mnAllGdata", &Main::mnAllGdata_Click);
    item(info, kForecastCaption, "mnForecast", &Main::mnForecast_Click);
    QMenu* tools = bar->addMenu(QString::fromUtf8("ツール"));
    tools->setObjectName(QStringLiteral("mnTool"));
    item(tools, "ログを見る", "mnLog", &Main::mnLog_Click);
    QAction* version = bar->addAction(QString::fromUtf8("バージョン情報"));
    version->setObjectName(QStringLiteral("mnVersion"));
    connect(version, &QAction::triggered, this, [this] { showVersionBox(this); });
}

QGroupBox* Main::buildFrame(int k) {
    const auto i = static_cast<size_t>(k);
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1_%1").arg(k));
    Frame1_[i] = frame;
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(new QLabel(qs(kMembersHeading), frame));
    Gun_lst_[i] = makeList(QStringLiteral("Gun_lst_%1").arg(k), 13, frame);
    Gun_lst_[i]->setMinimumWidth(fontMetrics().horizontalAdvance(QString(9, QChar(0x6F22))));
    connect(Gun_lst_[i], &QListWidget::itemClicked, this,
            [this, k, i](QListWidgetItem* item) { Gun_lst_Click(k, Gun_lst_[i]->row(item)); });
    layout->addWidget(Gun_lst_[i], 1);
    layout->addWidget(new QLabel(qs(kOffersHeading), frame));
    Com_Lst_[i] = makeList(QStringLiteral("Com_Lst_%1").arg(k), kOffersPerFrame, frame);
    Com_Lst_[i]->setMaximumHeight(Com_Lst_[i]->minimumHeight());
    connect(Com_Lst_[i], &QListWidget::itemClicked, this,
            [this, k, i](QListWidgetItem* item) { Com_Lst_Click(k, Com_Lst_[i]->row(item)); });
    layout->addWidget(Com_Lst_[i]);

    // The alliance summary of frames 1..3; frame 0 keeps the same room empty so the lists line up.
    auto* summary = new QHBoxLayout;
    summaryHeading_[i] = new QLabel(frame);
    summaryValue_[i] = new QLabel(frame);
    summaryValue_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (k > 0) {
        summaryHeading_[i]->setObjectName(QStringLiteral("summaryHeading_%1").arg(k));
        summaryValue_[i]->setObjectName(QStringLiteral("summaryValue_%1").arg(k));
    }
    const int twoLines = fontMetrics().lineSpacing() * 2 + 2;
    summaryHeading_[i]->setMinimumHeight(twoLines);
    summary->addWidget(summaryHeading_[i]);
    summary->addWidget(summaryValue_[i], 1);
    layout->addLayout(summary);
    return frame;
}

// Showing the cycle

void Main::refresh() {
    yearHeading_->setText(qs(cycle_.yearHeading()));
    playerLabel_->setText(qsText(cycle_.playerLabel()));
    dsp_PC_->clear();
    for (const PlayerLine& line : cycle_.playerList()) {
        auto* item = new QListWidgetItem(qs(line.name), dsp_PC_);
        item->setData(Qt::UserRole, line.faction);
    }
    const Frames& frames = cycle_.frames();
    const QColor window = palette().color(QPalette::Base);
    for (int k = 0; k < kFrameCount; ++k) {
        const auto i = static_cast<size_t>(k);
        Frame1_[i]->setTitle(qs(frames.caption(k)));
        Gun_lst_[i]->clear();
        for (const FrameMember& m : frames.members(k)) {
            auto* item = new QListWidgetItem(qs(m.name), Gun_lst_[i]);
            item->setData(Qt::UserRole, m.faction);
        }
        Com_Lst_[i]->clear();
        std::vector<std::string> names = cycle_.offerNames(k);
        for (size_t p = 0; p < names.size(); ++p) {
            auto* item = new QListWidgetItem(qs(names[p]), Com_Lst_[i]);
            item->setData(Qt::UserRole, numberOf(g_.offerCommands[i][p]));
            item->setToolTip(qs(cycle_.offerHint(k, static_cast<int>(p))));
        }
        QPalette pal = Com_Lst_[i]->palette();
        pal.setColor(QPalette::Base,
                     cycle_.isCurrentPlayersFrame(k) ? QColor(QString::fromLatin1(kLightCyan)) : window);
        Com_Lst_[i]->setPalette(pal);
        if (k > 0) {
            summaryHeading_[i]->setText(qsText(frames.summaryHeading(k)));
            summaryValue_[i]->setText(qsText(frames.summaryValue(k)));
        }
    }
}

void Main::afterCall() {
    if (ending_ || cycle_.ended()) {
        done(Quit);
        return;
    }
    refresh();
}

// Clicks

void Main::Com_Lst_Click(int k, int row) {
    cycle_.Com_Lst_Click(k, row);
    afterCall();
}

void Main::Gun_lst_Click(int k, int row) {
    cycle_.Gun_lst_Click(k, row);
    afterCall();
}

void Main::dsp_PC_Click(int row) {
    cycle_.dsp_PC_Click(row);
    afterCall();
}

void Main::Command1_Click(int index) {
    cycle_.Command1_Click(index);
    afterCall();
}

void Main::cmdSave_Click() {
    cycle_.cmdSave_Click();
    afterCall();
}

void Main::cmdLoad_Click() {
    cycle_.cmdLoad_Click();
    afterCall();
}

void Main::newGame_Click() {
    if (cycle_.newGame_Click()) {
        done(BackToTitle);
        return;
    }
    afterCall();
}

void Main::exitGame_Click() {
    cycle_.exitGame_Click();
    afterCall();
}

void Main::mnAllGdata_Click() { showFactionList(); }

// The odds of the game as it stands at the start of this year; the game itself is left alone.
void Main::mnForecast_Click() { runForecast(this, folder_, g_, cycle_.yearCounter, kForecastGames); }

void Main::mnLog_Click() {
    DLogReader reader(folder_, this);
    reader.logPath = folder_.ini(kChronicleFile);
    reader.exec();
}

void Main::keyPressEvent(QKeyEvent* event) {
    // The main screen has no back button: Escape does not leave the game.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Main::reject() { exitGame_Click(); }

// Host

// A box or window is shown over the screen as the cycle holds it at that moment: the first player's
// call comes before the start-up returns, over the year just dealt, and the final report over the
// last year.
void Main::notify(const std::string& text) {
    refresh();
    showNotice(this, qsText(text));
}

bool Main::askYesNo(const std::string& text) {
    refresh();
    return tei::askYesNo(this, qsText(text));
}

bool Main::askOkCancel(const std::string& text) {
    refresh();
    return tei::askOkCancel(this, qsText(text));
}

void Main::showMessageWindow(const WindowPages& pages) {
    refresh();
    Msg window(g_, pages, this);
    window.Form_Load();
    window.exec();
}

void Main::showStrategy() {
    Strate strategy(folder_, g_, this);
    strategy.exec();
}

void Main::showFactionDetail() {
    Gdata detail(folder_, g_, this);
    detail.exec();
}

void Main::showFactionList() {
    refresh();
    ALL_Gdata list(folder_, g_, this);
    list.exec();
}

void Main::showSaveLoad() {
    SVLD dialog(folder_, g_, this);
    dialog.exec();
}

void Main::endProgram() { ending_ = true; }

}  // namespace tei
