#include "Captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

QList<CaptionPair> mainWindowCaptions()
{
    // "DataPage" is the data page of the tab control; its caption is the tab's text.
    return {
        {QStringLiteral("Fen_principale"), QStringLiteral("Calculateur de prix de vente d'actions"),
         QStringLiteral("Shares selling price calculator")},
        {QStringLiteral("Fichier"), QStringLiteral("&Fichier"), QStringLiteral("&File")},
        {QStringLiteral("Calculer"), QStringLiteral("&Calculer"), QStringLiteral("&Calculate")},
        {QStringLiteral("DetailCalcul"), QStringLiteral("Dé&tail du calcul…"),
         QStringLiteral("Calculation de&tails…")},
        {QStringLiteral("ComparerBaremes"), QStringLiteral("Comparer les &barèmes…"),
         QStringLiteral("Compare &schedules…")},
        {QStringLiteral("Positions"), QStringLiteral("&Positions…"), QStringLiteral("&Positions…")},
        {QStringLiteral("EffacerLesDonnées"), QStringLiteral("Éffacer les &données"),
         QStringLiteral("Clear &data")},
        {QStringLiteral("quitter"), QStringLiteral("&Quitter"), QStringLiteral("&Quit")},
        {QStringLiteral("Langue"), QStringLiteral("&Langue"), QStringLiteral("&Language")},
        {QStringLiteral("Français"), QStringLiteral("&Français"), QStringLiteral("&French")},
        {QStringLiteral("Anglais"), QStringLiteral("&Anglais"), QStringLiteral("&English")},
        {QStringLiteral("ArrondiSupérieur"), QStringLiteral("Prix minimum au centime &supérieur"),
         QStringLiteral("Minimum price rounded &up")},
        {QStringLiteral("APropos"), QStringLiteral("&À propos"), QStringLiteral("&About")},
        {QStringLiteral("Frame_Type_Benefice"), QStringLiteral("Type de &bénéfice recherché"),
         QStringLiteral("Type of &sought-after profit")},
        {QStringLiteral("Pourcentage"), QStringLiteral("&Pourcentage"),
         QStringLiteral("&Percentage")},
        {QStringLiteral("Numéraire"), QStringLiteral("&Numéraire"), QStringLiteral("Cas&h")},
        {QStringLiteral("Frame_Impots"), QStringLiteral("&Imposition des plus-values"),
         QStringLiteral("Capital gain &taxing")},
        {QStringLiteral("Bout_Calculer"), QStringLiteral("&CALCULER"),
         QStringLiteral("&CALCULATE")},
        {QStringLiteral("Bout_Efface"), QStringLiteral("Éffacer les &données"),
         QStringLiteral("Clear &data")},
        {QStringLiteral("Label1"), QStringLiteral("Prix d'achat"),
         QStringLiteral("Purchase price")},
        {QStringLiteral("Label2"), QStringLiteral("Nombre d'actions"),
         QStringLiteral("Number of shares")},
        {QStringLiteral("DataPage"), QStringLiteral("Donnée&s"), QStringLiteral("Data&s")},
        {QStringLiteral("Frame_Px_Revient"), QStringLiteral("Prix de revient unitaire"),
         QStringLiteral("Cost price / unit")},
        {QStringLiteral("Frame_Px_Vente"), QStringLiteral("Prix de vente minimum"),
         QStringLiteral("Selling price minimum")},
        {QStringLiteral("Frame_Bén_Avt_Impôt"), QStringLiteral("Bénéfice avant impôt"),
         QStringLiteral("Profit before tax")},
        {QStringLiteral("Frame_Bén_Après_Impôt"), QStringLiteral("Bénéfice après impôt"),
         QStringLiteral("Profit after tax")},
        // The named schedules of the fee page.
        {QStringLiteral("Bout_Baremes"), QStringLiteral("Barè&mes"), QStringLiteral("Sc&hedules")},
        {QStringLiteral("NouveauBareme"), QStringLiteral("&Nouveau, copie de celui-ci…"),
         QStringLiteral("&New, a copy of this one…")},
        {QStringLiteral("NouveauBaremeVide"), QStringLiteral("Nouveau, &vide…"),
         QStringLiteral("New, &empty…")},
        {QStringLiteral("RenommerBareme"), QStringLiteral("&Renommer…"),
         QStringLiteral("&Rename…")},
        {QStringLiteral("SupprimerBareme"), QStringLiteral("&Supprimer…"),
         QStringLiteral("&Delete…")},
        {QStringLiteral("ExporterBareme"), QStringLiteral("&Exporter…"),
         QStringLiteral("E&xport…")},
        {QStringLiteral("ImporterBareme"), QStringLiteral("&Importer…"),
         QStringLiteral("&Import…")},
    };
}

QString profitCaption(bool percentage, bool english)
{
    if (percentage)
        return english ? QStringLiteral("Sought-after profit (0 - 100)")
                       : QStringLiteral("Bénéfice désiré (0 - 100)");
    return english ? QStringLiteral("Sought-after profit (>0)")
                   : QStringLiteral("Bénéfice désiré (>0)");
}

QString captionOf(const QObject* control)
{
    if (const auto* action = qobject_cast<const QAction*>(control))
        return action->text();
    if (const auto* menu = qobject_cast<const QMenu*>(control))
        return menu->title();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return QString();
}

void setCaption(QObject* control, const QString& caption)
{
    if (auto* action = qobject_cast<QAction*>(control))
        action->setText(caption);
    else if (auto* menu = qobject_cast<QMenu*>(control))
        menu->setTitle(caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(caption);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(caption);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(caption);
}
