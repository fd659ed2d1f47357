#include "Fen_APropos_Enreg.h"

#include "Language.h"
#include "LinkLabel.h"
#include "MakerContact.h"
#include "SettingsKeys.h"
#include "Twips.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Client area of the box, and the outer size its placement on the screen counts with.
constexpr int clientWidthTwips = 6015;
constexpr int clientHeightTwips = 3180;
constexpr int outerWidthTwips = 6105;
constexpr int outerHeightTwips = 3555;

constexpr int iconPixels = 48;

QString productName()
{
    return QStringLiteral("Vantrelle Ostrapine");
}

} // namespace

Fen_APropos_Enreg::Fen_APropos_Enreg(const IniStore& store, Messenger& messenger,
                                     const QString& version, QWidget* parent)
    : QDialog(parent), m_store(store), m_messenger(messenger), m_version(version),
      m_linkOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      m_toolLauncher([](const SystemInfoTool& tool) { return launch(tool); })
{
    setObjectName(QStringLiteral("Fen_APropos_Enreg"));
    setModal(true);
    buildControls();
    Form_Load();
}

int Fen_APropos_Enreg::twipsWide(int twips) const
{
    return twipsToPixels(twips, logicalDpiX());
}

int Fen_APropos_Enreg::twipsHigh(int twips) const
{
    return twipsToPixels(twips, logicalDpiY());
}

void Fen_APropos_Enreg::buildControls()
{
    m_picIcon = new QLabel(this);
    m_picIcon->setObjectName(QStringLiteral("picIcon"));
    m_picIcon->setFixedSize(iconPixels, iconPixels);
    m_picIcon->setPixmap(windowIcon().pixmap(iconPixels, iconPixels));
    m_picIcon->setAccessibleName(productName());

    m_lblTitle = new QLabel(this);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(13.5);
    m_lblTitle->setFont(titleFont);

    m_lblVersion = new QLabel(QStringLiteral("Version"), this);
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));

    m_lblDescription = new QLabel(this);
    m_lblDescription->setObjectName(QStringLiteral("lblDescription"));

    m_label2 = new QLabel(QStringLiteral("Calcul du prix de vente minimum de vos actions"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));

    for (QLabel* label : {m_lblTitle, m_lblVersion, m_lblDescription, m_label2})
        label->setAlignment(Qt::AlignCenter);

    m_label3 = new LinkLabel(makerWebAddress(), this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setAccessibleName(makerWebAddress());
    m_label3->setAccessibleDescription(QStringLiteral("Ouvre le site web de l'auteur"));

    m_label1 = new LinkLabel(QStringLiteral("Écrire à l'auteur"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAccessibleName(m_label1->text());
    m_label1->setAccessibleDescription(QStringLiteral("Écrit un courriel à l'auteur"));

    const QSize buttonSize(twipsWide(1260), twipsHigh(345));
    m_cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdOK->setMinimumSize(buttonSize);

    m_boutInfo = new QPushButton(this);
    m_boutInfo->setObjectName(QStringLiteral("Fen_APropos_Bout_Info"));
    m_boutInfo->setMinimumSize(buttonSize);

    // The texts are centred on the box, not on the space beside the icon, hence the matching
    // blank on the right.
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(m_lblTitle);
    texts->addSpacing(twipsHigh(60));
    for (QLabel* label : {m_lblVersion, m_lblDescription, m_label2})
        texts->addWidget(label);
    // The links react only over their own text, not across the whole width.
    texts->addWidget(m_label3, 0, Qt::AlignHCenter);
    texts->addWidget(m_label1, 0, Qt::AlignHCenter);

    auto* top = new QHBoxLayout;
    top->addWidget(m_picIcon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    top->addSpacing(iconPixels);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addSpacing(twipsWide(900));
    buttons->addWidget(m_boutInfo);
    buttons->addStretch();

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(twipsWide(240), twipsHigh(120), twipsWide(240), twipsHigh(195));
    box->addLayout(top);
    box->addStretch();
    box->addLayout(buttons);

    // The links come after the two buttons, the web page first as on screen.
    setTabOrder(m_cmdOK, m_boutInfo);
    setTabOrder(m_boutInfo, m_label3);
    setTabOrder(m_label3, m_label1);
    // The links are tab stops now, and sit first among the controls: the focus starts on OK.
    m_cmdOK->setFocus();

    connect(m_cmdOK, &QPushButton::clicked, this, &Fen_APropos_Enreg::cmdOK_Click);
    connect(m_boutInfo, &QPushButton::clicked, this,
            &Fen_APropos_Enreg::Fen_APropos_Bout_Info_Click);
    connect(m_label1, &LinkLabel::clicked, this, &Fen_APropos_Enreg::Label1_Click);
    connect(m_label3, &LinkLabel::clicked, this, &Fen_APropos_Enreg::Label3_Click);

    // The design size, unless the user's fonts need more room than it gives.
    const QSize design(twipsWide(clientWidthTwips), twipsHigh(clientHeightTwips));
    setFixedSize(design.expandedTo(minimumSizeHint()));
}

void Fen_APropos_Enreg::Form_Load()
{
    // Centred on the screen by the box's design outer size, whatever the frame really measures.
    if (const QScreen* display = screen()) {
        const QRect area = display->geometry();
        move(area.x() + (area.width() - twipsWide(outerWidthTwips)) / 2,
             area.y() + (area.height() - twipsHigh(outerHeightTwips)) / 2);
    }
    m_lblVersion->setText(QStringLiteral("Version ") + m_version);
    m_lblTitle->setText(productName());
}

void Fen_APropos_Enreg::Form_Activate()
{
    const QString language = m_store.Lire_Ini(settingsSection(), languageKey());
    setWindowTitle(pick(language, QStringLiteral("À propos de Vantrelle Ostrapine"),
                        QStringLiteral("About Vantrelle Ostrapine")));
    m_lblDescription->setText(pick(language,
                                   QStringLiteral("Conçu et réalisé par l'équipe Vantrelle"),
                                   QStringLiteral("Designed and built by the Vantrelle team")));
    m_boutInfo->setText(
        pick(language, QStringLiteral("&Infos Système"), QStringLiteral("System &info")));
}

void Fen_APropos_Enreg::cmdOK_Click()
{
    accept();
}

void Fen_APropos_Enreg::Fen_APropos_Bout_Info_Click()
{
    StartSysInfo();
}

void Fen_APropos_Enreg::Label1_Click()
{
    Connect(QStringLiteral("mailto:") + makerEmailAddress() + QStringLiteral("?Subject=") +
            makerEmailSubject());
}

void Fen_APropos_Enreg::Label3_Click()
{
    Connect(makerWebAddress());
}

void Fen_APropos_Enreg::StartSysInfo()
{
    // The box stays open either way; the program, once started, runs on its own.
    const std::optional<SystemInfoTool> tool = findSystemInfoTool(m_toolSearchPaths);
    if (tool && m_toolLauncher(*tool))
        return;
    m_messenger.inform(Message{
        QString(), QStringLiteral("Les informations système ne sont pas disponibles actuellement"),
        MessageIcon::None});
}

bool Fen_APropos_Enreg::Connect(const QString& address)
{
    // No mail program or browser is not worth a message: the click simply does nothing.
    return m_linkOpener(QUrl(address));
}

void Fen_APropos_Enreg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

// The box keeps nothing of the language: each activation reads the code again and rewrites the
// texts that follow it.
void Fen_APropos_Enreg::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

// Escape is the OK button's, like Enter: the box has nothing to cancel.
void Fen_APropos_Enreg::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        m_cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
