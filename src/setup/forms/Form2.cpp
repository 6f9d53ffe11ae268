#include "setup/forms/Form2.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTimer>
#include <utility>

#include "core/Scenarios.h"
#include "core/forms/GameLook.h"
#include "core/forms/HoverHelp.h"
#include "core/forms/MessageBoxes.h"
#include "core/forms/RememberedGeometry.h"
#include "screens/forms/Gdata.h"
#include "screens/forms/SVLD.h"
#include "setup/forms/TitleCard.h"

namespace tei {

namespace {
constexpr const char* kNewGame = "新規ゲーム";
constexpr const char* kQuit = "終了";
constexpr const char* kContinue = "続きから";
constexpr const char* kResetOfficers = "武将初期化";
constexpr const char* kRulerHeading = "君主名";
constexpr const char* kScenarioHeading = "シナリオ";
}  // namespace

Form2::Form2(const GameFolder& folder, GameGlobals& g, Random& rng, QWidget* parent)
    : QDialog(parent), folder_(folder), g_(g), setup_(folder, g, rng) {
    init_rtn();
    Form_Load();
}

int Form2::exec() {
    if (!loadError_.empty()) {
        // The screen first, then what could not be read.
        QTimer::singleShot(0, this, [this] { reportLoadFailure(this, std::exchange(loadError_, {})); });
    }
    return QDialog::exec();
}

void Form2::init_rtn() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(qs(kGameTitle));
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    auto* layout = makeBackColumn(this, QStringLiteral("Back"));
    Back_ = layout->parentWidget();
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(makeHeading(qs(kGameTitle), Back_));

    auto* grid = new QGridLayout;
    auto* scenarioHeading = new QLabel(qs(kScenarioHeading), Back_);
    scenarioHeading->setObjectName(QStringLiteral("Label2_1"));
    auto* rulerHeading = new QLabel(qs(kRulerHeading), Back_);
    rulerHeading->setObjectName(QStringLiteral("Label2_0"));
    grid->addWidget(scenarioHeading, 0, 0);
    grid->addWidget(rulerHeading, 0, 1);

    scenarios_ = new QListWidget(Back_);
    scenarios_->setObjectName(QStringLiteral("List1_0"));
    scenarios_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int s = 1; s <= kScenarioCount; ++s) scenarios_->addItem(qs(scenarioInfo(s).title));
    scenarios_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(16, QChar(0x6F22))));
    connect(scenarios_, &QListWidget::currentRowChanged, this, [this](int row) { List1_Click(0, row); });
    // A list without the keyboard shows its selection faintly: the chosen scenario is to stay plain.
    QPalette marked = scenarios_->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        marked.setColor(QPalette::Inactive, role, marked.color(QPalette::Active, role));
    scenarios_->setPalette(marked);
    grid->addWidget(scenarios_, 1, 0);

    rulers_ = new QListWidget(Back_);
    rulers_->setObjectName(QStringLiteral("List1_1"));
    rulers_->setSelectionMode(QAbstractItemView::MultiSelection);
    rulers_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(10, QChar(0x6F22))));
    rulers_->setMinimumHeight((fontMetrics().height() + 4) * 13);
    connect(rulers_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { List1_Click(1, rulers_->row(item)); });
    grid->addWidget(rulers_, 1, 1, 2, 1);

    Lab_txt_ = new QLabel(Back_);
    Lab_txt_->setObjectName(QStringLiteral("Lab_txt"));
    Lab_txt_->setWordWrap(true);
    Lab_txt_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Lab_txt_->setMargin(6);
    auto* description = new QScrollArea(Back_);
    description->setWidget(Lab_txt_);
    description->setWidgetResizable(true);
    description->setMinimumSize(fontMetrics().horizontalAdvance(QString(26, QChar(0x6F22))),
                                (fontMetrics().height() + 2) * 9);
    grid->addWidget(description, 2, 0);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(2, 1);
    layout->addLayout(grid, 1);

    Hlp_ = new QLabel(Back_);
    Hlp_->setObjectName(QStringLiteral("Hlp"));
    Hlp_->setMinimumHeight(fontMetrics().height() + 4);
    layout->addWidget(Hlp_);
    auto* help = new HoverHelp(Hlp_, Back_);
    for (QWidget* w : {static_cast<QWidget*>(scenarios_), scenarios_->viewport()}) help->add(w, qs(kHelpScenarioList));
    for (QWidget* w : {static_cast<QWidget*>(rulers_), rulers_->viewport()}) help->add(w, qs(kHelpRulerList));

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* caption, const char* name) {
        auto* b = new QPushButton(qs(caption), Back_);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    connect(button(kNewGame, "Command2"), &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(button(kContinue, "Command1_1"), &QPushButton::clicked, this, [this] { Command1_Click(1); });
    connect(button(kResetOfficers, "cmdInit"), &QPushButton::clicked, this, &Form2::cmdInit_Click);
    buttons->addStretch(1);
    connect(button(kQuit, "Command1_0"), &QPushButton::clicked, this, [this] { Command1_Click(0); });
    layout->addLayout(buttons);

    // The opening covers the whole screen until the counter hides it.
    Picture1_ = new TitleCard(this);
    Label1_ = new QLabel(Picture1_);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setAlignment(Qt::AlignCenter);
    Label1_->setAttribute(Qt::WA_TransparentForMouseEvents);  // a click on the caption is a click on the picture
    QFont big = Label1_->font();
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    Label1_->setFont(big);
    Label1_->setStyleSheet(QStringLiteral("color: #f8ecd0; background: transparent;"));
    connect(Picture1_, &TitleCard::clicked, this, &Form2::openingClick);

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(kOpeningTickMs);
    connect(Timer1_, &QTimer::timeout, this, &Form2::Timer1_Timer);
    Timer1_->start();
    showOpening();

    resize(900, 640);
    rememberGeometry(this);
}

void Form2::skipOpening() {
    opening_.skip();
    showOpening();
}

void Form2::markScenario() {
    for (int r = 0; r < scenarios_->count(); ++r) {
        QFont f = scenarios_->font();
        f.setBold(r + 1 == g_.scenarioNo);
        scenarios_->item(r)->setFont(f);
    }
}

void Form2::Form_Load() {
    SetupOutcome opened = setup_.Form_Load();
    if (!opened.ok) loadError_ = opened.message;
    Lab_txt_->setText(qsText(setup_.description()));
    showRulers();
    markScenario();
}

void Form2::showRulers() {
    rulers_->clear();
    for (const RulerRow& row : setup_.rows()) {
        auto* item = new QListWidgetItem(qs(row.text), rulers_);
        item->setData(Qt::UserRole, row.faction);
    }
}

void Form2::List1_Click(int index, int row) {
    if (index == 0) {
        if (row < 0 || row == scenarioRow_) return;
        SetupOutcome chosen = setup_.chooseScenario(row);
        if (!chosen.ok) {
            showNotice(this, qsText(chosen.message));
            // The scenario in effect stays, and so does its row: put back once the press that chose
            // the other row has been handled to its end.
            QTimer::singleShot(0, this, [this] {
                QSignalBlocker block(scenarios_);
                if (scenarioRow_ >= 0) {
                    scenarios_->setCurrentRow(scenarioRow_);
                } else {
                    scenarios_->setCurrentItem(nullptr);
                    scenarios_->clearSelection();
                }
            });
            return;
        }
        scenarioRow_ = row;
        Lab_txt_->setText(qsText(setup_.description()));
        showRulers();
        markScenario();
        return;
    }
    // A click that unpicks a ruler only unpicks him.
    if (row < 0 || row >= rulers_->count() || !rulers_->item(row)->isSelected()) return;
    setup_.showFactionOfRow(row);
    Gdata faction(folder_, g_, this);
    faction.exec();
}

void Form2::showOpening() {
    Label1_->setText(qs(opening_.caption()));
    if (opening_.hidden()) {
        Timer1_->stop();
        if (!Picture1_->isHidden()) {
            Picture1_->hide();
            // Not a list: a list taking the focus makes its first row current, which would choose
            // scenario 1 although no row was clicked.
            findChild<QPushButton*>(QStringLiteral("Command2"))->setFocus();
        }
        return;
    }
    Picture1_->setGeometry(rect());
    Label1_->setGeometry(0, Picture1_->height() * 4 / 5, Picture1_->width(), Picture1_->height() / 8);
    Picture1_->raise();
    Picture1_->setFocus();
}

void Form2::Timer1_Timer() {
    opening_.tick();
    showOpening();
}

void Form2::openingClick() {
    opening_.click();
    showOpening();
}

std::vector<int> Form2::selectedRows() const {
    std::vector<int> rows;
    for (int r = 0; r < rulers_->count(); ++r)
        if (rulers_->item(r)->isSelected()) rows.push_back(r);
    return rows;
}

void Form2::Command2_Click() {
    std::vector<int> rows = selectedRows();
    NewGameQuestion question = setup_.askNewGame(rows);
    if (question.refused) {
        showNotice(this, qs(question.text));
        return;
    }
    if (!askOkCancel(this, qs(question.text))) return;
    Hlp_->setText(qs(kMakingData));
    Hlp_->repaint();
    SetupOutcome started = setup_.startNewGame(rows);
    if (!started.ok) {
        Hlp_->clear();
        showNotice(this, qsText(started.message));
        return;
    }
    done(NewGame);
}

void Form2::Command1_Click(int index) {
    if (index == 0) {
        done(Quit);
        return;
    }
    g_.gameMode = GameMode::Continue;
    g_.dialogResult = 0;
    SVLD load(folder_, g_, this);
    load.exec();
    if (g_.dialogResult == 1) done(Continue);
}

void Form2::cmdInit_Click() {
    if (!askOkCancel(this, qsText(setup_.resetQuestion()))) return;
    SetupOutcome reset = setup_.resetOfficers();
    showNotice(this, qsText(reset.message));
}

void Form2::keyPressEvent(QKeyEvent* event) {
    // The title screen is left only through its buttons (or the window's close box), never by Escape.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form2::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!opening_.hidden()) showOpening();
}

}  // namespace tei
