#include "core/forms/MessageBoxes.h"

#include <QAbstractButton>

#include "core/forms/GameLook.h"

namespace tei {

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const QString& text, BoxButtons buttons) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(qs(kGameTitle));
    box->setText(text);
    switch (buttons) {
        case BoxButtons::Ok:
            box->setStandardButtons(QMessageBox::Ok);
            box->setIcon(QMessageBox::Information);
            break;
        case BoxButtons::OkCancel:
            box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box->setDefaultButton(QMessageBox::Ok);
            box->setIcon(QMessageBox::Question);
            break;
        case BoxButtons::YesNo:
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box->setDefaultButton(QMessageBox::Yes);
            box->setIcon(QMessageBox::Question);
            break;
    }
    if (auto* b = box->button(QMessageBox::Ok)) b->setText(QStringLiteral("OK"));
    if (auto* b = box->button(QMessageBox::Cancel)) b->setText(QString::fromUtf8("キャンセル"));
    if (auto* b = box->button(QMessageBox::Yes)) b->setText(QString::fromUtf8("はい"));
    if (auto* b = box->button(QMessageBox::No)) b->setText(QString::fromUtf8("いいえ"));
    return box;
}

void showNotice(QWidget* parent, const QString& text) { makeMessageBox(parent, text, BoxButtons::Ok)->exec(); }

bool askOkCancel(QWidget* parent, const QString& text) {
    return makeMessageBox(parent, text, BoxButtons::OkCancel)->exec() == QMessageBox::Ok;
}

bool askYesNo(QWidget* parent, const QString& text) {
    return makeMessageBox(parent, text, BoxButtons::YesNo)->exec() == QMessageBox::Yes;
}

bool reportLoadFailure(QWidget* parent, const std::string& message) {
    if (message.empty()) return false;
    showNotice(parent, qs(message));
    return true;
}

}  // namespace tei
