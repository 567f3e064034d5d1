#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "ProjectFile.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace trellon {

class ProjectDocument;

// What the any-order window needs from the window that owns it.
struct AnyOrderHooks {
    std::function<void(const QString& text)> showWarning;
    // Designs the ladder of the inputs as typed and shows it in place of the schematic.
    std::function<void(const ProjectAnyOrder& typed)> design;
};

// A ladder of any order designed from the crystal: its Fo, Ld, Cs and Rd as typed (or the
// medians of the batch), the number of crystals, the family of the response with Chebyshev's
// ripple, and the bandwidth. The design itself is the owner's: the window hands it the inputs.
class AnyOrderWindow : public QWidget {
    Q_OBJECT

public:
    AnyOrderWindow(ProjectDocument& document, char decimalSeparator, AnyOrderHooks hooks,
                   QWidget* parent = nullptr);
    ~AnyOrderWindow() override;

    void setInputs(const ProjectAnyOrder& typed);
    // Only the crystal's four fields.
    void setCrystal(const std::string& fo, const std::string& ld, const std::string& cs,
                    const std::string& rd);
    // Fills the bandwidth with `bandwidth` (as typed) when it is empty.
    void offerBandwidth(const std::string& bandwidth);
    // The fields as typed; nothing, after a warning, while the ripple is not a number in its
    // range. The other numbers are read when the ladder is designed.
    std::optional<ProjectAnyOrder> typedInputs();

public slots:
    void designClick();
    void mediansClick();

private:
    void buildControls();
    QLineEdit* addField(const char* name, const char* hint);
    void enableRipple();
    void enableMedians();

    ProjectDocument& document_;
    char decimalSeparator_;
    AnyOrderHooks hooks_;
    int batchSubscription_ = 0;
    QLineEdit* Fo = nullptr;
    QLineEdit* Ld = nullptr;
    QLineEdit* Cs = nullptr;
    QLineEdit* Rd = nullptr;
    QPushButton* Medians = nullptr;
    QSpinBox* Order = nullptr;
    QComboBox* Family = nullptr;
    QLineEdit* Ripple = nullptr;
    QLineEdit* Bandwidth = nullptr;
};

}  // namespace trellon
