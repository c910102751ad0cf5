#pragma once

#include <QString>

class QTextStream;

namespace asv {

// "zipcode import PATH": the address text files (a .txt, a folder of them or their .zip) or an
// older .mdb province file into the province files of the program folder; prints the rows per
// province and the speed. 0 done, 1 not (the file is named in the message).
int zipcodeImport(QTextStream& out, const QString& path);
// "zipcode find TEXT": a road name or a dong, optionally followed by a building or lot number, or
// a zipcode, over every province file there is; prints the finder's lines.
int zipcodeFind(QTextStream& out, const QString& text);

} // namespace asv
