#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

// "Sélection du répertoire": browse to a directory or type its name. Every
// directory it shows becomes the program's working directory, against which
// relative names are taken. OK on a directory that does not exist asks
// whether to create it; creating it is the caller's job.
class SelectDirDialog : public QDialog {
    Q_OBJECT

public:
    // Starts at `start` when it names a directory that can be entered, else
    // at the working directory.
    explicit SelectDirDialog(const QString& start, QWidget* parent = nullptr);

    // The name field's text, as typed.
    QString directory() const;

    void accept() override;

private:
    void moveTo(const QString& path);
    void fillDirectories(const QString& path);
    void fillFiles(const QString& path);
    void fillDrives();

    QLineEdit* nameField_;
    QTreeWidget* directoryList_;
    QListWidget* fileList_;
    QComboBox* driveList_;
};
