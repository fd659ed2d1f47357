#include "Fen_principale.h"

#include "DataPage.h"
#include "ResultArea.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>

void Fen_principale::Bout_Calculer_Click()
{
}

void Fen_principale::Bout_Efface_Click()
{
    m_dataPage->Text_pa->clear();
    m_dataPage->Text_nb->clear();
    m_dataPage->Text_ben->clear();
    m_results->Text_pv->clear();
    setFixedSize(m_designSize);
    m_results->setFramesVisible(false);
    m_dataPage->vingt_six->setChecked(true);
    m_dataPage->Pourcentage->setChecked(true);
    Pourcentage_Click();
    const QRect screenArea = screen()->geometry();
    centre(screenArea.left() + (screenArea.width() - m_designSize.width()) / 2.0,
           screenArea.top() + (screenArea.height() - m_expandedHeight) / 2.0);
    m_dataPage->Text_pa->setFocus();
}
