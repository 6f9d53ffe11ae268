#include "screens/forms/GameLook.h"

#include <QFont>
#include <QLibraryInfo>
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

}  // namespace tei
