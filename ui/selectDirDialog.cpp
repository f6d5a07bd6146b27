#include "selectDirDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int pathRole = Qt::UserRole;

QLabel* labelFor(QWidget* buddy, const QString& text)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

bool canEnter(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isExecutable();
}

} // namespace

SelectDirDialog::SelectDirDialog(const QString& start, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("selectDirDialog"));
    setWindowTitle(QStringLiteral("Sélection du répertoire"));
    setWindowModality(Qt::ApplicationModal);

    nameField_ = new QLineEdit;
    nameField_->setObjectName(QStringLiteral("directoryName"));

    directoryList_ = new QTreeWidget;
    directoryList_->setObjectName(QStringLiteral("directoryList"));
    directoryList_->setHeaderHidden(true);
    directoryList_->setRootIsDecorated(false);
    directoryList_->setItemsExpandable(false);
    directoryList_->setIndentation(12);
    directoryList_->setMinimumSize(200, 180);

    fileList_ = new QListWidget;
    fileList_->setObjectName(QStringLiteral("fileList"));
    fileList_->setSelectionMode(QAbstractItemView::NoSelection);
    fileList_->setMinimumSize(160, 180);
    // Shown for orientation only.
    QPalette grey = fileList_->palette();
    grey.setColor(QPalette::Text, grey.color(QPalette::Disabled, QPalette::Text));
    fileList_->setPalette(grey);

    driveList_ = new QComboBox;
    driveList_->setObjectName(QStringLiteral("driveList"));

    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    // There is no help to show; the button is kept where users expect it.
    buttons->addButton(QStringLiteral("&Aide"), QDialogButtonBox::HelpRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &SelectDirDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SelectDirDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(labelFor(nameField_, QStringLiteral("&Nom de répertoire :")), 0, 0, 1, 2);
    grid->addWidget(nameField_, 1, 0, 1, 2);
    grid->addWidget(labelFor(directoryList_, QStringLiteral("&Répertoires :")), 2, 0);
    grid->addWidget(labelFor(fileList_, QStringLiteral("&Fichiers : (*.*)")), 2, 1);
    grid->addWidget(directoryList_, 3, 0);
    grid->addWidget(fileList_, 3, 1);
    grid->addWidget(labelFor(driveList_, QStringLiteral("&Lecteurs :")), 4, 0);
    grid->addWidget(driveList_, 5, 0);
    grid->addWidget(buttons, 1, 2, 5, 1, Qt::AlignTop);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    fillDrives();
    connect(directoryList_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { moveTo(item->data(0, pathRole).toString()); });
    connect(driveList_, &QComboBox::activated, this,
            [this](int index) { moveTo(driveList_->itemData(index, pathRole).toString()); });

    const QString startPath = start.isEmpty() ? QString() : QDir::current().absoluteFilePath(start);
    moveTo(!startPath.isEmpty() && canEnter(startPath) ? startPath : QDir::currentPath());
    directoryList_->setFocus();

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString SelectDirDialog::directory() const
{
    return nameField_->text();
}

void SelectDirDialog::moveTo(const QString& path)
{
    const QString target = QDir::cleanPath(path);
    if (!canEnter(target) || !QDir::setCurrent(target))
        return; // a directory that cannot be entered is not moved into
    const QString current = QDir::currentPath();
    nameField_->setText(current);
    nameField_->selectAll();
    fillDirectories(current);
    fillFiles(current);

    // The drive shown is the mount that holds the directory.
    int best = 0;
    for (int i = 0; i < driveList_->count(); ++i) {
        const QString mount = driveList_->itemData(i, pathRole).toString();
        const QString bestMount = driveList_->itemData(best, pathRole).toString();
        const bool holds = current == mount || current.startsWith(mount.endsWith(QLatin1Char('/')) ? mount : mount + QLatin1Char('/'));
        if (holds && mount.size() > bestMount.size())
            best = i;
    }
    driveList_->setCurrentIndex(best);
}

void SelectDirDialog::fillDirectories(const QString& path)
{
    directoryList_->clear();
    const QIcon openFolder = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedFolder = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The levels of the path from the root down, each inside the one above.
    auto* item = new QTreeWidgetItem(directoryList_, {QStringLiteral("/")});
    item->setData(0, pathRole, QStringLiteral("/"));
    item->setIcon(0, openFolder);
    QString levelPath;
    for (const QString& level : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        levelPath += QLatin1Char('/') + level;
        item = new QTreeWidgetItem(item, {level});
        item->setData(0, pathRole, levelPath);
        item->setIcon(0, openFolder);
    }
    QTreeWidgetItem* const current = item;

    const QDir directory(path);
    for (const QString& name : directory.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* child = new QTreeWidgetItem(current, {name});
        child->setData(0, pathRole, directory.absoluteFilePath(name));
        child->setIcon(0, closedFolder);
    }
    directoryList_->expandAll();
    directoryList_->setCurrentItem(current);
}

void SelectDirDialog::fillFiles(const QString& path)
{
    fileList_->clear();
    fileList_->addItems(QDir(path).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void SelectDirDialog::fillDrives()
{
    QStringList mounts {QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !mounts.contains(volume.rootPath()))
            mounts << volume.rootPath();
    std::sort(mounts.begin() + 1, mounts.end());
    for (const QString& mount : mounts)
        driveList_->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), mount, mount);
}

void SelectDirDialog::accept()
{
    const QString name = directory();
    if (!name.isEmpty() && QFileInfo(name).isDir()) {
        QDialog::accept();
        return;
    }
    QMessageBox confirmation(QMessageBox::Question, QStringLiteral("Confirmation"),
                             QStringLiteral("Le répertoire spécifié n'existe pas. Le créer ?"), QMessageBox::NoButton,
                             this);
    confirmation.setObjectName(QStringLiteral("confirmation"));
    QPushButton* yes = confirmation.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* no = confirmation.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    confirmation.setDefaultButton(yes);
    confirmation.setEscapeButton(no);
    confirmation.exec();
    if (confirmation.clickedButton() == yes)
        QDialog::accept();
}
