#pragma once

namespace asv {

// The mail screens for the rest of the program: "FrmSendMail" for the print preview's mail button,
// "FrmSendMailMulti" for the mailing of customer ledgers.
class MailScreens {
public:
    static void registerAll();
};

} // namespace asv
