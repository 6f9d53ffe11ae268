#pragma once
// Answers the modal windows a click opens. A modal dialog runs its own event loop inside the click,
// so the answer must be arranged before the click: expect<T>(action) waits (on a timer) for the next
// active modal window of type T that has not been answered yet and runs the action on it. A test
// that waits for a window that never comes fails, and the window is closed so the test can end.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

namespace tei::test {

template <class T>
void expectModal(std::function<void(T*)> action, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, action, timeoutMs] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (w && w->isVisible() && !w->property("answered").toBool()) {
            timer->stop();
            timer->deleteLater();
            w->setProperty("answered", true);
            action(w);
            return;
        }
        *waited += 10;
        if (*waited >= timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " appeared";
            if (auto* other = QApplication::activeModalWidget()) other->close();
        }
    });
    timer->start(10);
}

// Presses the button of the message box whose text is 'button', after checking the box's text.
inline void answerBox(const QString& expectedText, const QString& button) {
    expectModal<QMessageBox>([=](QMessageBox* box) {
        EXPECT_EQ(box->text(), expectedText);
        for (auto* b : box->buttons())
            if (b->text() == button) {
                b->click();
                return;
            }
        ADD_FAILURE() << "no button " << button.toStdString();
        box->close();
    });
}

}  // namespace tei::test
