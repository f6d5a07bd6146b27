#include "mainFormUnit.h"

#include "errors.h"
#include "forceDirectories.h"
#include "openFileDialog.h"
#include "selectDirDialog.h"
#include "transformer.h"

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <new>

namespace {

// "MS Sans Serif" 8 pt on the desktops the layout was drawn on; these faces
// are the nearest that Debian ships, DejaVu Sans Condensed first because its
// widths match best.
QFont windowFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    return font;
}

QFont titleFont(double scale)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans Condensed")});
    font.setBold(true);
    font.setPixelSize(qRound(29 * scale));
    return font;
}

QFont aboutButtonFont(double scale)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setWeight(QFont::Black);
    font.setPixelSize(qRound(16 * scale));
    return font;
}

QRect scaled(const QRect& design, double scale)
{
    return {qRound(design.x() * scale), qRound(design.y() * scale), qRound(design.width() * scale),
            qRound(design.height() * scale)};
}

template <typename Widget>
Widget* named(QWidget* parent, const char* name)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text)
{
    auto* label = named<QLabel>(parent, name);
    label->setText(text);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* pushButton(QWidget* parent, const char* name)
{
    auto* button = named<QPushButton>(parent, name);
    // Enter presses the focused button; outside a dialog no button is a default.
    button->setAutoDefault(true);
    return button;
}

QPushButton* chooserButton(QWidget* parent, const char* name)
{
    auto* button = pushButton(parent, name);
    button->setIcon(QIcon(QStringLiteral(":/pictures/chooser.png")));
    button->setIconSize({19, 19});
    return button;
}

} // namespace

TmainForm::TmainForm(const ApplicationTitles& titles, QWidget* parent)
    : QWidget(parent), titles_(titles), messageSink_(titles.messageBox)
{
    setObjectName(QStringLiteral("mainForm"));
    setWindowTitle(QStringLiteral("Vexlo Tools - Texte vers Pdb"));
    setFont(windowFont());
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);
    setAutoFillBackground(true);

    Label1 = caption(this, "Label1", QStringLiteral("Fichier source:"));
    Label2 = caption(this, "Label2", QStringLiteral("Répertoire de destination du fichier PDB:"));
    Label3 = caption(this, "Label3", QStringLiteral("Story Name: (Nom du PDB sur le Palm)"));
    Image1 = named<QLabel>(this, "Image1");
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/window.png")));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4 = caption(this, "Label4", QStringLiteral("Texte vers PDB"));
    QPalette teal = Label4->palette();
    teal.setColor(QPalette::WindowText, QColor(0, 128, 128));
    Label4->setPalette(teal);

    fichierSource = named<QLineEdit>(this, "fichierSource");
    B_selFicSource = chooserButton(this, "B_selFicSource");
    repDestPDB = named<QLineEdit>(this, "repDestPDB");
    B_selRepDestPDB = chooserButton(this, "B_selRepDestPDB");
    StoryName = named<QLineEdit>(this, "StoryName");
    B_transformer = pushButton(this, "B_transformer");
    B_transformer->setText(QStringLiteral("Transformer en .PDB"));
    Button1 = pushButton(this, "Button1");
    Button1->setText(QStringLiteral("?"));
    OpenDialog1 = new OpenFileDialog(QStringLiteral("Ouvrir"), QStringLiteral("*.pas|*.c|*.txt|*.*"), this);

    QWidget* const tabOrder[] = {fichierSource, B_selFicSource, repDestPDB, B_selRepDestPDB,
                                 StoryName,     B_transformer,  Button1};
    for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    connectClick(B_selFicSource, &TmainForm::B_selFicSourceClick);
    connectClick(B_selRepDestPDB, &TmainForm::B_selRepDestClick);
    connectClick(B_transformer, &TmainForm::B_transformerClick);
    connectClick(Button1, &TmainForm::Button1Click);

    layOut();
    fichierSource->setFocus();
}

void TmainForm::layOut()
{
    struct Placement {
        QWidget* widget;
        QRect design;
    };
    const Placement placements[] = {
        {Label1, {3, 48, 102, 17}},          {Label2, {3, 96, 206, 17}},
        {Label3, {3, 144, 206, 17}},         {Image1, {0, 0, 48, 48}},
        {Label4, {64, 0, 193, 33}},          {fichierSource, {8, 64, 545, 21}},
        {B_selFicSource, {560, 64, 25, 23}}, {repDestPDB, {8, 112, 545, 21}},
        {B_selRepDestPDB, {560, 112, 25, 23}}, {StoryName, {8, 160, 209, 21}},
        {B_transformer, {464, 168, 121, 25}}, {Button1, {560, 0, 25, 25}},
    };

    // Scaled by the window font's height against the height the layout was
    // drawn for, and further if a caption would still be cut: a face wider
    // than the original must not hide the end of a label.
    const QFontMetricsF metrics(font());
    scale_ = metrics.height() / designTextHeight;
    for (const auto& [widget, design] : placements)
        if (const auto* label = qobject_cast<const QLabel*>(widget); label && !label->text().isEmpty())
            scale_ = std::max(scale_, metrics.horizontalAdvance(label->text()) / design.width());

    Label4->setFont(titleFont(scale_));
    Button1->setFont(aboutButtonFont(scale_));
    for (const auto& [widget, design] : placements)
        widget->setGeometry(scaled(design, scale_));
    setFixedSize(qRound(designClientSize.width() * scale_), qRound(designClientSize.height() * scale_));
}

void TmainForm::connectClick(QPushButton* button, void (TmainForm::*handler)())
{
    connect(button, &QPushButton::clicked, this, [this, handler] {
        // Errors must not unwind through Qt's own frames; they stop here.
        try {
            (this->*handler)();
        } catch (const std::bad_alloc&) {
            showErrorBox(titles_.errorBox, EOutOfMemory().what());
        } catch (const std::exception& error) {
            showErrorBox(titles_.errorBox, error.what());
        }
    });
}

void TmainForm::B_selFicSourceClick()
{
    if (!OpenDialog1->execute(this))
        return;
    const QString& path = OpenDialog1->fileName();
    fichierSource->setText(path);
    StoryName->setText(path.section(QLatin1Char('/'), -1));
}

void TmainForm::B_selRepDestClick()
{
    SelectDirDialog chooser(repDestPDB->text(), this);
    if (chooser.exec() != QDialog::Accepted)
        return;
    const QString directory = chooser.directory();
    forceDirectories(QFile::encodeName(directory).toStdString());
    repDestPDB->setText(directory);
}

void TmainForm::B_transformerClick()
{
    transformer(QFile::encodeName(fichierSource->text()).toStdString(), StoryName->text().toStdString(),
                QFile::encodeName(repDestPDB->text()).toStdString(), messageSink_);
}

void TmainForm::Button1Click()
{
    messageSink_.show(aboutText);
}
