#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;

// The results below the tab control: five captioned frames holding six read-only labels.
class ResultArea : public QWidget
{
    Q_OBJECT

public:
    explicit ResultArea(QWidget* parent = nullptr);

    QGroupBox* Frame_Px_Revient;
    QGroupBox* Frame_Px_Vente;
    QGroupBox* Frame_Bén_Avt_Impôt;
    QGroupBox* Frame_Bén_Après_Impôt;
    QGroupBox* Frame_Frais;
    QLabel* Text_Px_Rev;
    QLabel* Text_pv;
    QLabel* Text_Bén_Avt_Impôt;
    QLabel* Text_Bén_Après_Impôt;
    QLabel* Text_Frais_Achat;
    QLabel* Text_Frais_Vente;

    // The warning beside the selling price: shown with its note, or hidden with none.
    QLabel* Marque_Px_Vente;
    void setShortNote(const QString& note);
    // The information mark on the other side of the price: the price shown, rounded to the
    // nearest cent, brings less than the wanted profit (shortfallNote()); hidden with no note.
    QLabel* Info_Px_Vente;
    void setShortfallNote(const QString& note);

    // Results calculated from other inputs than those on screen read dimmed, with the note.
    void setOutOfDate(bool outOfDate, const QString& note = {});
    bool outOfDate() const;

    void setFramesVisible(bool visible);
    bool framesVisible() const;

private:
    QList<QLabel*> labels() const;
};
