// The table handles let go for file-level work on the tables (copying, archiving, replacing them),
// and taken again when the work is done, whichever way it ends.
#pragma once

class TablesClosed {
public:
    TablesClosed();
    ~TablesClosed();
    TablesClosed(const TablesClosed&) = delete;
    TablesClosed& operator=(const TablesClosed&) = delete;
};
