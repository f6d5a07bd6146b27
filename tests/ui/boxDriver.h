#pragma once

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

// Answers the modal boxes the program opens, as a user would, and records
// what each one showed. Real boxes, driven from a timer while they run.
class BoxDriver : public QObject {
public:
    struct Seen {
        QString objectName;
        QString title;
        QString text;
        QMessageBox::Icon icon;
        Qt::WindowModality modality;
        QStringList buttons;
    };

    // `answer` acts on each modal widget; by default Enter is pressed on message boxes.
    explicit BoxDriver(std::function<void(QWidget*)> answer = {}) : answer_(std::move(answer))
    {
        connect(&timer_, &QTimer::timeout, this, &BoxDriver::poll);
        timer_.start(10);
    }

    QList<Seen> seen;
    QStringList texts() const
    {
        QStringList result;
        for (const auto& box : seen)
            result << box.text;
        return result;
    }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == handled_.data() || !modal->isVisible())
            return;
        handled_ = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            QStringList buttons;
            for (const auto* button : box->buttons())
                buttons << button->text();
            seen.append({box->objectName(), box->windowTitle(), box->text(), box->icon(), box->windowModality(), buttons});
        }
        if (answer_)
            answer_(modal);
        else
            QTest::keyClick(modal, Qt::Key_Enter);
    }

    QTimer timer_;
    QPointer<QWidget> handled_;
    std::function<void(QWidget*)> answer_;
};
