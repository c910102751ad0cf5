#pragma once

class QWidget;

namespace asv {

class HCText;

// The address and registration-number fields the editors of users, the office and customers share.
namespace AddressFields {

// Asks the zipcode finder for the zipcode field's text; a choice fills zipcode and address and
// puts the cursor into the detail.
void findZipcode(QWidget* editor, HCText* zipcode, HCText* addr1, HCText* addr2);
// After the registration number was edited: shown in its format when valid, else the message and
// the cursor back in the field.
void checkRegistrationNumber(HCText* field);

} // namespace AddressFields

} // namespace asv
