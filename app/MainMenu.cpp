#include "MainMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* menuItem(QMenu* menu, const QString& name, const QString& caption)
{
    auto* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu* topMenu(QMenuBar* bar, const QString& name, const QString& caption)
{
    auto* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

} // namespace

MainMenu buildMainMenu(QMenuBar* bar)
{
    MainMenu menu;
    QMenu* fichier = topMenu(bar, QStringLiteral("Fichier"), QStringLiteral("&Fichier"));
    menu.fichier = fichier;
    menu.calculer = menuItem(fichier, QStringLiteral("Calculer"), QStringLiteral("&Calculer"));
    menu.detailCalcul =
        menuItem(fichier, QStringLiteral("DetailCalcul"), QStringLiteral("Dé&tail du calcul…"));
    menu.detailCalcul->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    menu.detailCalcul->setEnabled(false);
    menu.comparerBaremes = menuItem(fichier, QStringLiteral("ComparerBaremes"),
                                    QStringLiteral("Comparer les &barèmes…"));
    menu.comparerBaremes->setEnabled(false);
    menu.effacerLesDonnees = menuItem(fichier, QStringLiteral("EffacerLesDonnées"),
                                      QStringLiteral("Éffacer les &données"));
    menu.effacerLesFrais = menuItem(fichier, QStringLiteral("EffacerLesFrais"),
                                    QStringLiteral("Éffacer les frais de co&urtage"));
    menu.quitter = menuItem(fichier, QStringLiteral("quitter"), QStringLiteral("&Quitter"));
    menu.quitter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* langue = topMenu(bar, QStringLiteral("Langue"), QStringLiteral("&Langue"));
    menu.francais = menuItem(langue, QStringLiteral("Français"), QStringLiteral("&Français"));
    menu.anglais = menuItem(langue, QStringLiteral("Anglais"), QStringLiteral("&Anglais"));
    menu.francais->setCheckable(true);
    menu.anglais->setCheckable(true);
    menu.francais->setChecked(true);

    QMenu* parametrage =
        topMenu(bar, QStringLiteral("Paramétrage"), QStringLiteral("Pa&ramétrage"));
    menu.tauxImposition = menuItem(parametrage, QStringLiteral("Param_Tx_Imposition"),
                                   QStringLiteral("&Taux d'imposition"));
    menu.arrondiSuperieur = menuItem(parametrage, QStringLiteral("ArrondiSupérieur"),
                                     QStringLiteral("Prix minimum au centime &supérieur"));
    menu.arrondiSuperieur->setCheckable(true);

    QMenu* interrogation = topMenu(bar, QStringLiteral("Interrogation"), QStringLiteral("&?"));
    menu.aPropos = menuItem(interrogation, QStringLiteral("APropos"), QStringLiteral("&À propos"));
    return menu;
}

QAction* addCapabilityItem(const MainMenu& menu, const QString& objectName, const QString& caption)
{
    auto* action = new QAction(caption, menu.fichier);
    action->setObjectName(objectName);
    menu.fichier->insertAction(menu.effacerLesDonnees, action);
    return action;
}
