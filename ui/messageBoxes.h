#pragma once

#include "transformer.h"

#include <QString>

class QWidget;

// The message box: no icon, one "OK" button, and the program waits for it.
// Application-modal, so that no button of the window can start a second
// command inside the one that is waiting.
class MessageBoxSink : public MessageSink {
public:
    explicit MessageBoxSink(QString title) : title_(std::move(title)) {}
    void show(const std::string& message) override;

private:
    QString title_;
};

// The error box: the stop icon, one "OK" button, the message with its full stop.
void showErrorBox(const QString& title, const std::string& message);
