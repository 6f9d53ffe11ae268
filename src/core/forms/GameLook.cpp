#include "core/forms/GameLook.h"

#include <QFont>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTranslator>

namespace tei {

void applyGameLook(QApplication& app) {
    // Message-box buttons and the standard dialogs in Japanese; the translator lives with the app.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    QFont font(QString::fromUtf8(kGameFont), 10);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
}

QString qsText(std::string_view text) {
    QString s = qs(text);
    s.remove(QLatin1Char('\r'));
    return s;
}

QLabel* makeHeading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    label->setFont(f);
    return label;
}

QVBoxLayout* makeBackColumn(QWidget* dialog, const QString& panelName) {
    auto* outer = new QVBoxLayout(dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* back = new QWidget(dialog);
    back->setObjectName(panelName);
    outer->addWidget(back);
    return new QVBoxLayout(back);
}

QHBoxLayout* makeBackRow(QDialog* dialog) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* back = new QPushButton(QStringLiteral("戻る"), dialog);
    back->setObjectName(QStringLiteral("backButton"));
    QObject::connect(back, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addWidget(back);
    back->setFocus();
    return row;
}

QLabel* makeNameLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Name_lab"));
    QFont big = label->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    label->setFont(big);
    return label;
}

}  // namespace tei
