// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "catalogue/FirmwareList.h"

#include <QByteArrayView>

namespace velt {

// Turns the bytes of a catalogue document into a fresh FirmwareList. It neither fetches nor
// tells anyone: FirmwareList::load reports what it returns, and the fuzzer drives it with
// arbitrary bytes.
//
// Codes shown in parentheses after the message when a document cannot be used:
//   900  the body is not UTF-8 text (reported as a retrieval failure)
//   901  the document is JSON, but its top-level value is not an object
//   902  the document is a JSON object, but not a catalogue: "version" or "compatibility"
//        missing or not an array, an entry that is not an object, a key of an entry missing,
//        or a value of another JSON type than the format requires
//   903  the configured firmware server was refused (FirmwareServer::refusedCode)
//   904  the transfer timed out: nothing arrived for the silence limit, or the whole transfer
//        ran past its deadline (CatalogueFetcher::timedOutCode)
//   905  the body is larger than the limit (CatalogueFetcher::tooLargeCode)
//   906  the server redirected to an address the server rules refuse
//        (CatalogueFetcher::redirectRefusedCode)
//   907  the server redirected more than 50 times in a row, a loop most likely
//        (CatalogueFetcher::tooManyRedirectsCode)
//   908  the application quit while the transfer was under way; nothing is shown then, the
//        window is going (CatalogueFetcher::abandonedCode)
//   (903 to 908 are reported as retrieval failures, like the network layer's own codes)
//   101..116, 406  the JSON parser's own error id (nlohmann's parse_error ids, and its
//        out_of_range 406 for a number too large to hold)
class CatalogueReader
{
public:
    static constexpr qint64 notUtf8Code = 900;
    static constexpr qint64 notAnObjectCode = 901;
    static constexpr qint64 invalidCatalogueCode = 902;

    enum class Outcome {
        Read,            // list holds the document's records
        NotUtf8,         // detail describes the failure
        NotJson,         // detail is the parser's message
        NotAnObject,     // detail is the top-level value's text form
        InvalidCatalogue // detail says which entry is wrong
    };

    struct Result
    {
        Outcome outcome = Outcome::Read;
        FirmwareList list; // empty unless the document was read
        qint64 code = 0;   // the code to show; 0 when read
        QString detail;

        bool ok() const { return outcome == Outcome::Read; }
    };

    static Result read(QByteArrayView document);
};

} // namespace velt
