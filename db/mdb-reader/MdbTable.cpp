#include "MdbTable.h"

// mdbtools.h opens extern "C" and then includes <glib.h>, whose C++ templates
// cannot have C linkage: glib must come first. A libmdb built without GLib
// (the Windows one) brings its own small stand-in instead, and no <glib.h>.
#if __has_include(<glib.h>)
#include <glib.h>
#endif
#include <mdbtools.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct HandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

AccessValueKind kindOf(int columnType)
{
    switch (columnType) {
    case MDB_TEXT:
    case MDB_MEMO:
        return AccessValueKind::Text;
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return AccessValueKind::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_MONEY:
    case MDB_NUMERIC:
        return AccessValueKind::Real;
    default:
        return AccessValueKind::Other;
    }
}

// The first line libmdb printed, to quote in a fault.
std::string quoted(const std::function<std::string()>& chatter)
{
    std::string text = chatter();
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string::npos)
        return "";
    text.erase(0, start);
    text.resize(std::min({text.find_first_of("\r\n"), text.size(), std::size_t{200}}));
    return " (mdbtools: " + text + ")";
}

// Where the catalog says a table's definition is.
struct TableLocation {
    bool catalogRead = false;  // every row of the catalog was read
    unsigned long page = 0;    // 0: no such table
};

// Scans the catalog, table MSysObjects (its definition is on page 2), for a
// table named `name`. This is what mdb_read_catalog() does, without the
// properties it also decodes (on some damaged files that loops for ever) and
// with a check that every row was read: in a cut file the missing rows would
// make a table that is there look absent.
TableLocation locateTable(MdbHandle& mdb, const std::string& name)
{
    MdbCatalogEntry systemObjects{};
    systemObjects.mdb = &mdb;
    systemObjects.object_type = MDB_TABLE;
    systemObjects.table_pg = 2;
    std::strcpy(systemObjects.object_name, "MSysObjects");
    const Table catalog(mdb_read_table(&systemObjects));
    if (!catalog || !mdb_read_columns(catalog.get()))
        return {};

    const std::size_t bindSize = mdb.bind_size;
    std::vector<char> buffers(3 * bindSize, '\0');
    char* const id = &buffers[0];
    char* const objectName = &buffers[bindSize];
    char* const type = &buffers[2 * bindSize];
    char idColumn[] = "Id";
    char nameColumn[] = "Name";
    char typeColumn[] = "Type";
    mdb_rewind_table(catalog.get());
    if (mdb_bind_column_by_name(catalog.get(), idColumn, id, nullptr) == -1
        || mdb_bind_column_by_name(catalog.get(), nameColumn, objectName, nullptr) == -1
        || mdb_bind_column_by_name(catalog.get(), typeColumn, type, nullptr) == -1)
        return {};

    TableLocation location;
    unsigned long rows = 0;
    while (mdb_fetch_row(catalog.get())) {
        ++rows;
        if (location.page == 0 && (std::atol(type) & 0x7F) == MDB_TABLE
            && g_ascii_strcasecmp(objectName, name.c_str()) == 0)
            location.page = static_cast<unsigned long>(std::atol(id)) & 0x00FFFFFFul;
    }
    location.catalogRead = rows >= catalog->num_rows;
    return location;
}

}  // namespace

void readMdbTable(const std::string& file, const std::string& table, const std::function<std::string()>& chatter,
                  const MdbTableSink& sink)
{
    const Handle mdb(mdb_open(file.c_str(), MDB_NOFLAGS));
    if (!mdb)
        throw MdbFault("mdbtools cannot open it as an Access database" + quoted(chatter));
    const TableLocation location = locateTable(*mdb, table);
    if (!location.catalogRead)
        throw MdbFault("it is a damaged or incomplete Access file: mdbtools cannot read its list of tables"
                       + quoted(chatter));
    if (location.page == 0)
        throw MdbFault("it has no table " + table);

    MdbCatalogEntry entry{};  // outlives the table definition, which points to it
    entry.mdb = mdb.get();
    entry.object_type = MDB_TABLE;
    entry.table_pg = location.page;
    const std::size_t nameLength = std::min(table.size(), sizeof entry.object_name - 1);
    std::memcpy(entry.object_name, table.data(), nameLength);  // entry{} ends it with NUL
    const Table rows(mdb_read_table(&entry));
    if (!rows || !mdb_read_columns(rows.get()) || !rows->columns)
        throw MdbFault("it is a damaged or incomplete Access file: mdbtools cannot read the layout of table "
                       + table + quoted(chatter));

    std::vector<AccessColumn> columns;
    for (guint i = 0; i < rows->columns->len; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(rows->columns, i));
        columns.push_back(column ? AccessColumn{column->name, kindOf(column->col_type)} : AccessColumn{});
    }
    sink.columns(columns);

    // libmdb writes each value with snprintf(buffer, bind_size, ...): every
    // buffer must hold bind_size bytes. Columns count from 1.
    const std::size_t bindSize = mdb->bind_size;
    std::vector<char> buffers(bindSize * columns.size(), '\0');
    mdb_rewind_table(rows.get());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (mdb_bind_column(rows.get(), static_cast<int>(i) + 1, &buffers[i * bindSize], nullptr) == -1)
            throw MdbFault("it is a damaged or incomplete Access file: mdbtools cannot read column "
                           + columns[i].name + " of table " + table + quoted(chatter));
    }

    // Each value arrives NUL-terminated, cut to bind_size - 1 bytes; a NULL
    // arrives as "", just as an empty string does.
    std::vector<std::string_view> cells(columns.size());
    unsigned long rowsRead = 0;
    while (mdb_fetch_row(rows.get())) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const char* text = &buffers[i * bindSize];
            cells[i] = std::string_view(text, strnlen(text, bindSize));
        }
        sink.row(cells);
        ++rowsRead;
    }
    // A page missing at the end of a truncated file reads as empty: the table
    // definition still tells how many rows there should be.
    if (rowsRead < rows->num_rows)
        throw MdbFault("it is a damaged or incomplete Access file: table " + table + " holds "
                       + std::to_string(rows->num_rows) + " rows, but only " + std::to_string(rowsRead)
                       + " can be read" + quoted(chatter));
}
