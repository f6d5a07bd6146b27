#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

// Answers the modal dialogs and boxes the program opens, as a user would,
// and records what each message box showed. The real widgets run; the
// driver acts on each newly active one, in turn, with the next step, or by
// pressing Enter once the steps are used up.
class BoxDriver : public QObject {
public:
    using Step = std::function<void(QWidget*)>;

    struct Seen {
        QString objectName;
        QString title;
        QString text;
        QMessageBox::Icon icon;
        Qt::WindowModality modality;
        QStringList buttons;
    };

    explicit BoxDriver(QList<Step> steps = {}) : steps_(std::move(steps))
    {
        connect(&timer_, &QTimer::timeout, this, &BoxDriver::poll);
        timer_.start(10);
    }

    QList<Seen> seen;
    int handled = 0;

    QStringList texts() const
    {
        QStringList result;
        for (const auto& box : seen)
            result << box.text;
        return result;
    }

    static void pressButton(QWidget* box, const QString& text)
    {
        for (auto* button : box->findChildren<QAbstractButton*>())
            if (button->text() == text) {
                button->click();
                return;
            }
        QFAIL(qPrintable(QStringLiteral("no button %1").arg(text)));
    }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == handled_.data() || !modal->isVisible())
            return;
        handled_ = modal;
        ++handled;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            QStringList buttons;
            for (const auto* button : box->buttons())
                buttons << button->text();
            seen.append({box->objectName(), box->windowTitle(), box->text(), box->icon(), box->windowModality(), buttons});
        }
        Step step = steps_.isEmpty() ? Step([](QWidget* widget) { QTest::keyClick(widget, Qt::Key_Enter); })
                                     : steps_.takeFirst();
        // Queued, so that a box the step opens runs its own loop outside this timer's call.
        QTimer::singleShot(0, modal, [step, modal] { step(modal); });
    }

    QTimer timer_;
    QPointer<QWidget> handled_;
    QList<Step> steps_;
};
