#include "AddressFields.h"

#include "HCText.h"
#include "RegistrationNumber.h"
#include "ZipcodeLookup.h"
#include "modMsgBox.h"

namespace asv::AddressFields {

void findZipcode(QWidget* editor, HCText* zipcode, HCText* addr1, HCText* addr2)
{
    if (const auto address = ZipcodeLookup::find(editor, zipcode->Text())) {
        zipcode->SetText(address->zipcode);
        addr1->SetText(address->addr1);
        addr2->setFocus();
    }
}

void checkRegistrationNumber(HCText* field)
{
    if (field->Text().isEmpty())
        return;
    if (const auto formatted = RegistrationNumber::normalized(field->Text())) {
        field->SetText(*formatted);
        return;
    }
    MsgInfo(RegistrationNumber::invalidMessage());
    field->reclaimFocus();
}

} // namespace asv::AddressFields
