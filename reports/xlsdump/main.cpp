// merido-xlsdump FILE: prints the cells of the first worksheet of a legacy
// Excel workbook (.xls) read with FreeXL, one line per cell that holds a
// value: row, column, kind and value, separated by tabs. Kinds: n number,
// s text, d date-time "yyyy-MM-dd hh:mm:ss", D date, t time. Backslashes,
// tabs and line breaks in texts are escaped as \\, \t, \n and \r.
//
// FreeXL is not safe on damaged files, so the application runs this in a
// process of its own: a crash or a hang here fails one import, nothing more.
#include <freexl.h>

#include <cstdio>
#include <string>

namespace {
void printEscaped(const char *text)
{
    std::string out;
    for (const char *c = text; *c; ++c) {
        switch (*c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += *c;
        }
    }
    std::fputs(out.c_str(), stdout);
}

void printCell(unsigned int row, unsigned short column, const FreeXL_CellValue &cell)
{
    char kind = 0;
    switch (cell.type) {
    case FREEXL_CELL_INT:
        std::printf("%u\t%u\tn\t%d\n", row, column, cell.value.int_value);
        return;
    case FREEXL_CELL_DOUBLE:
        std::printf("%u\t%u\tn\t%.17g\n", row, column, cell.value.double_value);
        return;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        kind = 's';
        break;
    case FREEXL_CELL_DATETIME:
        kind = 'd';
        break;
    case FREEXL_CELL_DATE:
        kind = 'D';
        break;
    case FREEXL_CELL_TIME:
        kind = 't';
        break;
    default:
        return;
    }
    std::printf("%u\t%u\t%c\t", row, column, kind);
    printEscaped(cell.value.text_value ? cell.value.text_value : "");
    std::fputc('\n', stdout);
}
}

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: merido-xlsdump FILE\n", stderr);
        return 2;
    }
    const void *handle = nullptr;
    int result = freexl_open(argv[1], &handle);
    if (result == FREEXL_OK)
        result = freexl_select_active_worksheet(handle, 0);
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (result == FREEXL_OK)
        result = freexl_worksheet_dimensions(handle, &rows, &columns);
    for (unsigned int row = 0; result == FREEXL_OK && row < rows; ++row) {
        for (unsigned short column = 0; result == FREEXL_OK && column < columns; ++column) {
            FreeXL_CellValue cell;
            result = freexl_get_cell_value(handle, row, column, &cell);
            if (result == FREEXL_OK)
                printCell(row, column, cell);
        }
    }
    if (handle)
        freexl_close(handle);
    if (result != FREEXL_OK) {
        std::fprintf(stderr, "FreeXL error %d\n", result);
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
