#pragma once

#include "engine/provider/EmbeddedKorven.h"
#include "korvenapi/AutomationRegistry.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumora::desktop {

// KORVEN inside the program, over the design the user chose (or no document until then). The
// choice is remembered for the next start.
class DesignHost {
  public:
    DesignHost();
    ~DesignHost();

    // Opens the design file; the message of a file that cannot be read, the old design kept.
    std::optional<QString> open(const QString& file);
    // The remembered design of the last session, if it still opens.
    void openRemembered();
    const QString& file() const { return file_; }
    // KORVEN's document, nullptr until a design opened.
    const engine::Design* design() const { return file_.isEmpty() ? nullptr : &korven_->session().design(); }
    // What reading the design file said (zones without fill, roles), and the checks KORVEN could not
    // perform in its runs, for the reports.
    const std::vector<std::string>& notes() const { return korven_->importNotes(); }
    const std::vector<engine::FailedCheck>& failedChecks() const { return korven_->session().failedChecks; }
    // The status bar's text.
    QString statusText() const;

  private:
    void install(std::unique_ptr<engine::EmbeddedKorven> korven);

    std::unique_ptr<engine::EmbeddedKorven> korven_;
    std::unique_ptr<ProviderRegistration> registration_;
    QString file_;
};

} // namespace lumora::desktop
