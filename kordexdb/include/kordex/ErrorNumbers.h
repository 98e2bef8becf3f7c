#pragma once

namespace kordex::error {

// Numbers of ServerError, grouped by what failed. The README lists them too.

// connection
constexpr int NotConnected = 5001; // no open connection, or it was closed
constexpr int ConnectFailed = 5002; // the store could not be reached or opened
constexpr int NotAStore = 5003; // no KORDEX schema, another version, a table missing, or damaged
constexpr int StoreExists = 5004; // creating a store where one already exists
constexpr int ReadOnly = 5005; // writing to a store that was opened for reading only
constexpr int LoginRefused = 5006; // the server refused the user's login (password, inactive)
constexpr int ServerUntrusted = 5007; // the server's TLS certificate could not be verified
constexpr int NotAllowed = 5008; // the user's rights do not allow this (rebuild, selection)
constexpr int WriterBusy = 5009; // another rebuild or import writes the store now

// classes, objects, queries
constexpr int UnknownClass = 5101;
constexpr int UnknownQuery = 5102;
constexpr int UnknownProperty = 5103;
constexpr int UnknownMethod = 5104;
constexpr int ObjectNotFound = 5105; // no record with that id
constexpr int BadId = 5106; // the id has the wrong number of parts
constexpr int Closed = 5107; // object or result set used after SYS_Close

// arguments and rows
constexpr int ArgumentCount = 5201;
constexpr int BadArgument = 5202; // malformed period, company or code
constexpr int NoCurrentRow = 5203; // ColumnValue before NextRow or after the end
constexpr int BadColumn = 5204; // column number outside the row
constexpr int NotRun = 5205; // NextRow before RunQuery

// commands
constexpr int UnknownCommand = 5301; // Xecute text that is no known command

// engine and data
constexpr int SqlFailure = 5401; // the SQL engine reported an error
constexpr int ImportRejected = 5501; // an import file holds bad rows; nothing imported
constexpr int BadInput = 5502; // the tool got an invalid option or value

} // namespace kordex::error
