#include "messageBoxes.h"

#include "errors.h"

#include <QMessageBox>
#include <QGridLayout>
#include <QPushButton>
#include <QStyle>

namespace {

// A short message would make the box narrower than its own caption, which
// the title bar would then cut.
void keepTitleWhole(QMessageBox& box)
{
    QFont titleBarFont = box.font();
    titleBarFont.setBold(true);
    const int titleBarButtons = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int width = QFontMetrics(titleBarFont).horizontalAdvance(box.windowTitle()) + titleBarButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

void runBox(QMessageBox::Icon icon, const QString& title, const QString& text)
{
    // No parent: the box is the application's, not the window's, and sits
    // centred on the screen.
    QMessageBox box(icon, title, text, QMessageBox::NoButton);
    box.setObjectName(icon == QMessageBox::NoIcon ? QStringLiteral("messageBox") : QStringLiteral("errorBox"));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    keepTitleWhole(box);
    box.exec();
}

} // namespace

void MessageBoxSink::show(const std::string& message)
{
    runBox(QMessageBox::NoIcon, title_, QString::fromUtf8(message));
}

void showErrorBox(const QString& title, const std::string& message)
{
    runBox(QMessageBox::Critical, title, QString::fromUtf8(withFullStop(message)));
}
