#pragma once

#include "MailDraft.h"
#include "RegistryGuard.h"
#include "ScreenOpener.h"
#include "ScreenRegistry.h"

#include <QWidget>
#include <optional>

namespace asv::test {

// Stands in for the mail screen while it lives: the drafts handed to it are kept for the test.
class MailDraftCatcher {
public:
    MailDraftCatcher()
    {
        ScreenRegistry::add(kMailScreen, {[this](QWidget*) { return new Screen(this); }, false});
    }

    std::optional<MailDraft> last;
    int opened = 0;

private:
    struct Screen : QWidget, MailDraftReceiver {
        explicit Screen(MailDraftCatcher* catcher) : m_catcher(catcher) { ++catcher->opened; }
        void takeDraft(const MailDraft& draft) override { m_catcher->last = draft; }
        MailDraftCatcher* m_catcher;
    };
    RegistryGuard m_guard{{}, {kMailScreen}};
};

} // namespace asv::test
