#pragma once
// A script of the modal windows that one click opens, in the order they come: every step waits for
// the next active modal window of its type and answers it. A step runs before the windows after it
// exist, so a step may open further windows. A window of another type, or none, within the step's
// time fails the test and is closed, so the test can end; steps still waiting when the script is
// destroyed fail it too.
//
// A step may also come while an earlier step's action is still running (a click in it opened the
// window): steps run in nested loops.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

namespace tei::test {

class ModalSequence {
public:
    explicit ModalSequence(int stepTimeoutMs = 15000) : timeoutMs_(stepTimeoutMs) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    }
    ~ModalSequence() {
        timer_.stop();
        for (const auto& s : steps_) ADD_FAILURE() << "no modal window came for the step: " << s.name;
    }
    ModalSequence(const ModalSequence&) = delete;
    ModalSequence& operator=(const ModalSequence&) = delete;

    template <class T>
    ModalSequence& then(std::function<void(T*)> action) {
        steps_.push_back({T::staticMetaObject.className(), [action](QWidget* w) {
                              auto* t = qobject_cast<T*>(w);
                              if (!t) return false;
                              action(t);
                              return true;
                          }});
        timer_.start();
        return *this;
    }

    // A message box with this text, answered with the button captioned 'button'.
    ModalSequence& box(const QString& text, const QString& button) {
        return then<QMessageBox>([text, button](QMessageBox* b) {
            EXPECT_EQ(b->text().toStdString(), text.toStdString());
            for (auto* candidate : b->buttons())
                if (candidate->text() == button) {
                    candidate->click();
                    return;
                }
            ADD_FAILURE() << "no button " << button.toStdString() << " on " << b->text().toStdString();
            b->close();
        });
    }

    bool done() const { return steps_.empty(); }

private:
    struct Step {
        std::string name;
        std::function<bool(QWidget*)> run;
    };

    void poll() {
        if (steps_.empty()) {
            timer_.stop();
            return;
        }
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->isVisible() && !w->property("answered").toBool()) {
            Step step = steps_.front();
            if (qstrcmp(w->metaObject()->className(), step.name.c_str()) == 0 || w->inherits(step.name.c_str())) {
                // Taken off and run from a timer of its own: running it may open the next window in
                // a loop of its own, and Qt does not fire this timer again while its handler runs.
                steps_.pop_front();
                waited_ = 0;
                w->setProperty("answered", true);
                QPointer<QWidget> target(w);
                QTimer::singleShot(0, qApp, [target, run = step.run] {
                    if (target) run(target);
                });
                return;
            }
        }
        waited_ += timer_.interval();
        if (waited_ >= timeoutMs_) {
            waited_ = 0;
            auto* box = qobject_cast<QMessageBox*>(w);
            ADD_FAILURE() << "waited in vain for " << steps_.front().name << "; the active modal window is "
                          << (w ? w->metaObject()->className() : "none") << " "
                          << (box ? box->text().toStdString() : std::string());
            steps_.clear();
            timer_.stop();
            if (w) w->close();
        }
    }

    std::deque<Step> steps_;
    QTimer timer_;
    int waited_ = 0;
    int timeoutMs_;
};

}  // namespace tei::test
