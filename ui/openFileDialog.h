#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QWidget;

// One entry of the dialog's file-type list.
struct FileTypeEntry {
    QString label;
    QString mask;
    bool operator==(const FileTypeEntry&) const = default;
};

// "label|label|..." to entries: the mask is what stands between the first
// "(" and the first ")" of a piece when "(" comes first, else the whole piece.
QList<FileTypeEntry> fileTypeEntries(const QString& filter);

// The open-file dialog of the window. It remembers, for the life of the
// program, the last confirmed file and the file type chosen then, and
// reopens on them.
class OpenFileDialog : public QObject {
public:
    OpenFileDialog(QString title, QString filter, QObject* parent = nullptr);

    // Runs the dialog; true when the user confirmed a file.
    bool execute(QWidget* parent);

    const QString& fileName() const { return fileName_; }
    int filterIndex() const { return filterIndex_; }

private:
    QString title_;
    QString filter_;
    QString fileName_;
    int filterIndex_ = 1; // 1-based, as the filter text counts its entries
};
