#include "frmAuswahlDetail.h"

#include "ExtendedSelection.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ertragon {

frmAuswahlDetail::frmAuswahlDetail(ExtendedSelection &model, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
    , SSTyp(new QComboBox(this))
    , SVART(new QComboBox(this))
{
    setObjectName(QStringLiteral("frmAuswahlDetail"));
    setWindowTitle(QStringLiteral("Zusätzliche Auswahlparameter"));
    setModal(false);
    SSTyp->setObjectName(QStringLiteral("SSTyp"));
    SSTyp->setModel(m_model.articleTypeModel());
    SVART->setObjectName(QStringLiteral("SVART"));
    SVART->setModel(m_model.shippingTypeModel());

    auto *view = new QGroupBox(this);
    view->setObjectName(QStringLiteral("frDarstellung"));
    auto *viewLayout = new QHBoxLayout(view);
    const QString captions[2] = { QStringLiteral("Umsatz/DB"), QStringLiteral("Skonto/Nachlass") };
    for (int i = 0; i < 2; ++i) {
        oDarstellung[i] = new QRadioButton(captions[i], view);
        oDarstellung[i]->setObjectName(QStringLiteral("oDarstellung%1").arg(i));
        viewLayout->addWidget(oDarstellung[i]);
        connect(oDarstellung[i], &QRadioButton::clicked, this,
                [this, i] { m_model.setDiscountView(i); });
    }

    auto *ok = new QPushButton(QStringLiteral("DatenHolen (F5)"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setShortcut(QKeySequence(Qt::Key_F5));
    auto *cancel = new QPushButton(QStringLiteral("Beenden"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Typ:"), SSTyp);
    form->addRow(QStringLiteral("Versandart:"), SVART);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(view);
    layout->addLayout(buttons);

    connect(SSTyp, &QComboBox::activated, this,
            [this](int index) { m_model.setArticleTypeIndex(index); });
    connect(SVART, &QComboBox::activated, this,
            [this](int index) { m_model.setShippingTypeIndex(index); });
    connect(ok, &QPushButton::clicked, this, &frmAuswahlDetail::fetchWanted);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_model, &ExtendedSelection::listsChanged, this, &frmAuswahlDetail::refresh);
    refresh();
}

void frmAuswahlDetail::refresh()
{
    SSTyp->setCurrentIndex(m_model.articleTypeIndex());
    SVART->setCurrentIndex(m_model.shippingTypeIndex());
    oDarstellung[m_model.discountView() == 1 ? 1 : 0]->setChecked(true);
}

void frmAuswahlDetail::reject()
{
    close();
}

void frmAuswahlDetail::closeEvent(QCloseEvent *event)
{
    event->accept();
    Q_EMIT closed();
}

} // namespace ertragon
