// Build step: turns a bestiary written as SQL text into the SQLite file the
// calculator reads. Usage: make_bestiary BESTIARY.sql OUTPUT.mdb

#include <SQLiteCpp/Database.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_bestiary BESTIARY.sql OUTPUT.mdb\n";
        return 2;
    }
    const std::filesystem::path output = argv[2];
    const std::filesystem::path partial = output.string() + ".partial";
    try {
        std::ifstream in(argv[1]);
        if (!in)
            throw std::runtime_error(std::string("cannot read ") + argv[1]);
        std::ostringstream sql;
        sql << in.rdbuf();

        std::filesystem::remove(partial);
        {
            SQLite::Database db(partial.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            db.exec(sql.str());
        }
        std::filesystem::rename(partial, output);  // never leave a half-written bestiary
    } catch (const std::exception& e) {
        std::filesystem::remove(partial);
        std::cerr << "make_bestiary: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
