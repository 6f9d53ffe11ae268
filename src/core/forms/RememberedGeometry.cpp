#include "core/forms/RememberedGeometry.h"

#include <QEvent>
#include <QWidget>

namespace tei {

namespace {

// Writes the window's geometry whenever it is hidden: closing a dialog hides it.
class GeometryKeeper : public QObject {
public:
    explicit GeometryKeeper(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Hide && !event->spontaneous())
            gameSettings()->setValue(geometryKey(window_->objectName()), window_->saveGeometry());
        return false;
    }

private:
    QWidget* window_;
};

}  // namespace

std::unique_ptr<QSettings> gameSettings() {
    return std::make_unique<QSettings>(QString::fromLatin1(kSettingsOrganization),
                                       QString::fromLatin1(kSettingsApplication));
}

QString geometryKey(const QString& windowName) { return QStringLiteral("geometry/") + windowName; }

void rememberGeometry(QWidget* window) {
    QByteArray kept = gameSettings()->value(geometryKey(window->objectName())).toByteArray();
    if (!kept.isEmpty()) window->restoreGeometry(kept);
    new GeometryKeeper(window);
}

}  // namespace tei
