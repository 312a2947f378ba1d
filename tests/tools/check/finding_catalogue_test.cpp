// The catalogue of findings against the documentation's table, and the quote of a piece of text.
#include "tools/check/finding_catalogue.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "tools/check/check_finding.hpp"

namespace {

struct DocumentedFinding {
    std::string Id;
    std::string Kind;
    std::string Summary;
};

// The rows of the table of findings in docs/check.md: "| `id` | kind | summary |", "\|" for a
// bar inside a cell.
std::vector<DocumentedFinding> DocumentedFindings() {
    std::ifstream Doc(QVH_FINDINGS_DOC);
    std::vector<DocumentedFinding> Rows;
    for (std::string Line; std::getline(Doc, Line);) {
        if (!Line.starts_with("| `")) {
            continue;
        }
        std::vector<std::string> Cells(1);
        for (std::size_t I = 2; I + 1 < Line.size(); ++I) {
            if (Line[I] == '\\' && Line[I + 1] == '|') {
                Cells.back() += '|';
                ++I;
            } else if (Line[I] == '|') {
                Cells.emplace_back();
            } else {
                Cells.back() += Line[I];
            }
        }
        for (std::string& Cell : Cells) {
            Cell = Cell.substr(0, Cell.find_last_not_of(' ') + 1);
            Cell.erase(0, std::min(Cell.size(), Cell.find_first_not_of(' ')));
        }
        if (Cells.size() == 3 && Cells[0].size() > 2) {
            Rows.push_back({Cells[0].substr(1, Cells[0].size() - 2), Cells[1], Cells[2]});
        }
    }
    return Rows;
}

TEST(FindingCatalogueTest, TheDocumentedTableIsTheCatalogue) {
    const std::vector<DocumentedFinding> Rows = DocumentedFindings();
    ASSERT_EQ(Rows.size(), QVH::Check::FindingCatalogue.size()) << QVH_FINDINGS_DOC;
    for (std::size_t I = 0; I < Rows.size(); ++I) {
        const QVH::Check::FindingSort& Sort = QVH::Check::FindingCatalogue[I];
        SCOPED_TRACE(Sort.Name);
        EXPECT_EQ(Rows[I].Id, Sort.Name);
        EXPECT_EQ(Rows[I].Kind, Sort.Kind == QVH::Check::FindingKind::Error ? "error" : "warning");
        EXPECT_EQ(Rows[I].Summary, Sort.Summary);
    }
}

TEST(PieceQuoteTest, CutsBetweenLettersNeverBetweenALetterAndItsMarks) {
    const std::string Acute = "\xCC\x81";  // U+0301, which follows its letter
    const struct {
        std::string What;
        std::size_t MarkAfter;  // the letter a mark follows; none past the piece
        std::string Quote;
    } Cases[] = {
        {"no mark", 99, "'aaaaaaaaaaaaaaaa...aaaaaaaaaaaaaaaa'"},
        {"a mark after the head's last letter", 15,
         "'aaaaaaaaaaaaaaaa" + Acute + "...aaaaaaaaaaaaaaaa'"},
        {"a mark as the tail's first character", 23,
         "'aaaaaaaaaaaaaaaa...a" + Acute + "aaaaaaaaaaaaaaa'"},
        {"a mark after the tail's first letter", 24,
         "'aaaaaaaaaaaaaaaa...a" + Acute + "aaaaaaaaaaaaaa'"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.What);
        // 40 characters: 39 letters, and a mark after one of them unless none.
        std::vector<char32_t> Piece(39, U'a');
        if (C.MarkAfter < Piece.size()) {
            Piece.insert(Piece.begin() + static_cast<std::ptrdiff_t>(C.MarkAfter) + 1, U'\u0301');
        } else {
            Piece.push_back(U'a');
        }
        QVH::Check::PieceQuote Quote(Piece.size());
        for (std::size_t I = 0; I < Piece.size(); ++I) {
            if (Quote.Shows(I)) {
                Quote.Add(I, Piece[I], Piece[I] == U'a' ? "a" : Acute);
            }
        }
        EXPECT_EQ(Quote.Quote(), C.Quote);
    }
}

}  // namespace
