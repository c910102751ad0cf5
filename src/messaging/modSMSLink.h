#pragma once

#include "SmsList.h"

#include <QList>
#include <QString>

namespace asv {

// Hand-over to the separately installed sender programs: the recipients go into a list file in
// the program's folder and the program is started with its path; the operator sends from there.
inline const QString kSmsListFile = QStringLiteral("ExternTelNo.txt");
inline const QString kSmsMessageFile = QStringLiteral("ExternSMSMsg.txt");

struct SenderProgram {
    QString executable;
    QString label; // the kind of sending, as the messages name it
};
const SenderProgram& SenderProgramOf(bool isFaxVoice);

// The sender program's folder: this program's folder when the executable lies there, else the
// folder the sender recorded; "" (told to the operator) when it cannot be found.
QString SmsProgramFolder(bool isFaxVoice);

QString SmsFilePath(const QString& folder, const QString& file);
// The command-line argument naming the files handed over ("0" for none).
QString SmsArgument(const QString& folder, bool listFile, bool messageFile);

// The recipients that have a number; how many had none is told to the operator.
QList<SmsRecipient> LeaveOutWithoutNumber(const QList<SmsRecipient>& recipients);

// Writes the ticked recipients' list; false when refused, failed or cancelled at a shared number
// (the lines before the cancel stay).
bool CreateTelListFile(const QString& path, const QList<SmsRecipient>& ticked);
// Hands the ticked rows of a list to the SMS program.
bool TransFromSpread(const QList<SmsRecipient>& ticked, bool isFaxVoice);
// Hands one recipient, and the message when there is one, to the sender program.
bool TransSMS(const QString& telNo, const QString& name, bool isFaxVoice, const QString& message = {});

} // namespace asv
