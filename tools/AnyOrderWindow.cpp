#include "AnyOrderWindow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "AnyOrderSettings.h"
#include "CommandError.h"
#include "NumberText.h"
#include "ProjectDocument.h"
#include "RecentredInputs.h"
#include "SettingRefusalText.h"
#include "ToolWindowFrame.h"
#include "texts/AnyOrderTexts.h"
#include "texts/FailureTexts.h"

namespace trellon {

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

AnyOrderWindow::AnyOrderWindow(ProjectDocument& document, char decimalSeparator,
                               AnyOrderHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window),
      document_(document),
      decimalSeparator_(decimalSeparator),
      hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("AnyOrderWindow"));
    setWindowTitle(QString::fromUtf8(texts::kAnyOrderWindowTitle));
    buildControls();
    batchSubscription_ = document_.subscribe(DocumentAspect::Batch, [this] { enableMedians(); });
    enableMedians();
}

AnyOrderWindow::~AnyOrderWindow() {
    document_.unsubscribe(batchSubscription_);
}

QLineEdit* AnyOrderWindow::addField(const char* name, const char* hint) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromUtf8(name));
    field->setToolTip(QString::fromUtf8(hint));
    field->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")));
    return field;
}

void AnyOrderWindow::buildControls() {
    using namespace settings;
    Fo = addField("AnyOrderFo", "Crystal series resonance frequency, kHz");
    Ld = addField("AnyOrderLd", "Crystal motional inductance, mH");
    Cs = addField("AnyOrderCs", "Crystal holder (shunt) capacitance, pF");
    Rd = addField("AnyOrderRd", "Crystal motional resistance, ohm");
    Medians = new QPushButton(QString::fromUtf8(texts::kAnyOrderMedians), this);
    Medians->setObjectName(QStringLiteral("BatchMedians"));
    Medians->setToolTip(QString::fromUtf8(texts::kAnyOrderMediansHint));
    connect(Medians, &QPushButton::clicked, this, &AnyOrderWindow::mediansClick);

    Order = new QSpinBox(this);
    Order->setObjectName(QStringLiteral("AnyOrderCount"));
    Order->setToolTip(fromView(kOrder.hint));
    Order->setRange(int(kOrder.range.low), int(kOrder.range.high));
    Order->setValue(int(kOrder.defaultValue));
    Family = new QComboBox(this);
    Family->setObjectName(QStringLiteral("AnyOrderFamily"));
    Family->setToolTip(fromView(kFamily.hint));
    for (const char* family : texts::kAnyOrderFamilies) {
        Family->addItem(QString::fromUtf8(family));
    }
    connect(Family, &QComboBox::currentIndexChanged, this, &AnyOrderWindow::enableRipple);
    Ripple = addField("AnyOrderRipple", "Chebyshev ripple, dB");
    Ripple->setText(QString::fromStdString(
        FormatGeneral(kChebyshevRipple.defaultValue, 15, decimalSeparator_)));
    Bandwidth = addField("AnyOrderBandwidth", "Bandwidth between the response's band edges, Hz");

    auto* crystal = new QGroupBox(QString::fromUtf8(texts::kAnyOrderCrystalGroup), this);
    auto* crystalForm = new QFormLayout(crystal);
    crystalForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    crystalForm->addRow(QString::fromUtf8(texts::kAnyOrderFo), Fo);
    crystalForm->addRow(QString::fromUtf8(texts::kAnyOrderLd), Ld);
    crystalForm->addRow(QString::fromUtf8(texts::kAnyOrderCs), Cs);
    crystalForm->addRow(QString::fromUtf8(texts::kAnyOrderRd), Rd);
    crystalForm->addRow(Medians);
    auto* filter = new QGroupBox(QString::fromUtf8(texts::kAnyOrderFilterGroup), this);
    auto* filterForm = new QFormLayout(filter);
    filterForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    filterForm->addRow(fromView(kOrder.label), Order);
    filterForm->addRow(fromView(kFamily.label), Family);
    filterForm->addRow(fromView(kChebyshevRipple.label), Ripple);
    filterForm->addRow(QString::fromUtf8(texts::kAnyOrderBandwidth), Bandwidth);

    auto* designButton = new QPushButton(QString::fromUtf8(texts::kAnyOrderDesign), this);
    designButton->setObjectName(QStringLiteral("DesignAnyOrder"));
    designButton->setToolTip(QString::fromUtf8(texts::kAnyOrderDesignHint));
    connect(designButton, &QPushButton::clicked, this, &AnyOrderWindow::designClick);

    auto* whole = new QVBoxLayout(this);
    whole->addWidget(crystal);
    whole->addWidget(filter);
    whole->addWidget(designButton);
    whole->addStretch();
    enableRipple();
    bindToolWindowKeys(*this, designButton);
}

void AnyOrderWindow::enableRipple() {
    Ripple->setEnabled(Family->currentIndex() == int(AnyOrderFamily::Chebyshev));
}

void AnyOrderWindow::enableMedians() {
    Medians->setEnabled(!document_.batch().crystals.empty());
}

void AnyOrderWindow::setCrystal(const std::string& fo, const std::string& ld, const std::string& cs,
                                const std::string& rd) {
    Fo->setText(QString::fromStdString(fo));
    Ld->setText(QString::fromStdString(ld));
    Cs->setText(QString::fromStdString(cs));
    Rd->setText(QString::fromStdString(rd));
}

void AnyOrderWindow::offerBandwidth(const std::string& bandwidth) {
    if (Bandwidth->text().isEmpty()) {
        Bandwidth->setText(QString::fromStdString(bandwidth));
    }
}

void AnyOrderWindow::setInputs(const ProjectAnyOrder& typed) {
    setCrystal(typed.Fo, typed.Ld, typed.Cs, typed.Rd);
    Bandwidth->setText(QString::fromStdString(typed.bandwidth));
    Order->setValue(typed.order);
    Family->setCurrentIndex(int(typed.family));
    Ripple->setText(QString::fromStdString(FormatGeneral(typed.rippleDb, 15, decimalSeparator_)));
}

std::optional<ProjectAnyOrder> AnyOrderWindow::typedInputs() {
    ProjectAnyOrder typed{.Fo = Fo->text().toStdString(),
                          .Ld = Ld->text().toStdString(),
                          .Cs = Cs->text().toStdString(),
                          .Rd = Rd->text().toStdString(),
                          .bandwidth = Bandwidth->text().toStdString(),
                          .order = Order->value(),
                          .family = static_cast<AnyOrderFamily>(Family->currentIndex())};
    const auto& ripple = settings::kChebyshevRipple;
    QString refusal;
    try {
        typed.rippleDb = TypedNumber(Ripple->text().toStdString(), decimalSeparator_);
        if (!ripple.accepts(typed.rippleDb)) {
            refusal = settingRefusalText(ripple, Ripple->text(), decimalSeparator_);
        }
    } catch (const CommandError&) {
        refusal = QString::fromUtf8(texts::kNotANumber)
                      .arg(fromView(ripple.label), Ripple->text().trimmed());
    }
    // Only Chebyshev's ripple counts; the others keep the default in place of a wrong one.
    if (!refusal.isEmpty()) {
        if (Ripple->isEnabled()) {
            hooks_.showWarning(refusal);
            Ripple->setFocus();
            return std::nullopt;
        }
        typed.rippleDb = ripple.defaultValue;
    }
    return typed;
}

void AnyOrderWindow::designClick() {
    if (const std::optional<ProjectAnyOrder> typed = typedInputs()) {
        hooks_.design(*typed);
    }
}

void AnyOrderWindow::mediansClick() {
    const std::vector<MeasuredCrystal>& crystals = document_.batch().crystals;
    if (crystals.empty()) {
        return;
    }
    const CrystalInputTexts medians = recentredInputs(crystals, decimalSeparator_);
    setCrystal(medians.foKhz, medians.ldMh, medians.csPf, medians.rdOhm);
}

}  // namespace trellon
