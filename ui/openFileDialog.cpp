#include "openFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QSplitter>
#include <QTreeView>

QList<FileTypeEntry> fileTypeEntries(const QString& filter)
{
    QList<FileTypeEntry> entries;
    for (const QString& piece : filter.split(QLatin1Char('|'))) {
        const qsizetype open = piece.indexOf(QLatin1Char('('));
        const qsizetype close = piece.indexOf(QLatin1Char(')'));
        const bool parenthesised = open >= 0 && close >= 0 && open < close;
        entries.append({piece, parenthesised ? piece.mid(open + 1, close - open - 1) : piece});
    }
    return entries;
}

namespace {

// Qt's form of an entry: its label, then the patterns in parentheses (hidden
// from view). "*.*" means every file, as it did where the masks come from,
// names without a dot included.
QString qtNameFilter(const FileTypeEntry& entry)
{
    QStringList patterns;
    for (const QString& pattern : entry.mask.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns << (pattern.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : pattern.trimmed());
    return entry.label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// Qt's default proportions cut "Ordinateur" in the places list and the
// heading of the date column; give both the room their French words need.
void widenParts(QFileDialog& dialog)
{
    dialog.resize(820, 480);
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
        splitter->setSizes({150, 670});
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        details->header()->resizeSection(0, 300);
        details->header()->resizeSection(3, 170);
    }
}

} // namespace

OpenFileDialog::OpenFileDialog(QString title, QString filter, QObject* parent)
    : QObject(parent), title_(std::move(title)), filter_(std::move(filter))
{
    setObjectName(QStringLiteral("OpenDialog1"));
}

bool OpenFileDialog::execute(QWidget* parent)
{
    QFileDialog dialog(parent, title_);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    // Qt's own widget, not a desktop portal: the same dialog everywhere, and one tests can drive.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A name that does not exist yet is accepted too; read-only files are fine, they are only read.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setSizeGripEnabled(true);
    widenParts(dialog);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("&Ouvrir"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Rechercher dans :"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("&Nom de fichier :"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Type de fichier :"));

    const QList<FileTypeEntry> entries = fileTypeEntries(filter_);
    QStringList nameFilters;
    for (const auto& entry : entries)
        nameFilters << qtNameFilter(entry);
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(nameFilters.value(filterIndex_ - 1));

    if (fileName_.isEmpty())
        dialog.setDirectory(QDir::currentPath());
    else
        dialog.selectFile(fileName_);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName_ = dialog.selectedFiles().constFirst();
    // Qt names the chosen type by its whole filter or, with details hidden, by its label.
    const QString chosen = dialog.selectedNameFilter();
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (chosen == nameFilters[i] || chosen == entries[i].label) {
            filterIndex_ = static_cast<int>(i) + 1;
            break;
        }
    return true;
}
