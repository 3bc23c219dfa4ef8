// The DXF writer is our own: Debian 12 has no permissively licensed DXF
// library that fits (libdxfrw is not packaged, dxflib is GPL-2), and the few
// sections a drawing of closed polylines needs are short to write directly.
#include "export/DxfWriter.h"

#include <cstdint>
#include <vector>

#include "export/AciColor.h"
#include "export/ArcSegments.h"
#include "export/DxfGroups.h"
#include "export/ExportColor.h"
#include "export/FigureCheck.h"

namespace polygrav {

namespace {

// A corner in DXF coordinates and the bulge of the edge leaving it.
struct DxfVertex {
    double x = 0;
    double y = 0;
    double bulge = 0;
};

// The contour in the drawing's frame: the document point shifted by the
// margin, then Y turned up within the document's side, which keeps the
// picture as it is (a counter-clockwise arc on the page stays one).
std::vector<DxfVertex> DxfVerticesOf(const Contour& contour, const Figure& figure, DxfArcs arcs) {
    const auto toDxf = [&figure](const TStarPoint& p, double bulge) {
        return DxfVertex{p.X + figure.margin, figure.DocumentHeight() - (p.Y + figure.margin),
                         bulge};
    };
    std::vector<DxfVertex> vertices;
    vertices.reserve(contour.size());
    for (std::size_t i = 0; i < contour.size(); ++i) {
        const ContourVertex& v = contour[i];
        if (arcs == DxfArcs::Bulge || v.bulge == 0) {
            vertices.push_back(toDxf(v.at, v.bulge));
            continue;
        }
        vertices.push_back(toDxf(v.at, 0));
        const TStarPoint& next = contour[(i + 1) % contour.size()].at;
        for (const TStarPoint& p : ArcInnerPoints(v.at, next, v.bulge)) {
            vertices.push_back(toDxf(p, 0));
        }
    }
    return vertices;
}

std::uint32_t TrueColorOf(TColor c) {
    const RgbColor rgb = RgbOf(c);
    return static_cast<std::uint32_t>(rgb.red) << 16 | static_cast<std::uint32_t>(rgb.green) << 8 |
           rgb.blue;
}

// Handles of the R2000 drawing's fixed objects; the polylines follow from
// kFirstEntityHandle on.
enum Handle : std::uint32_t {
    kVportTable = 0x1,
    kLtypeTable,
    kLayerTable,
    kStyleTable,
    kViewTable,
    kUcsTable,
    kAppidTable,
    kDimstyleTable,
    kBlockRecordTable,
    kRootDictionary,
    kGroupDictionary,
    kLayoutDictionary,
    kActiveVport = 0x10,
    kLtypeByBlock,
    kLtypeByLayer,
    kLtypeContinuous,
    kLayer0,
    kStyleStandard,
    kAppidAcad,
    kDimstyleStandard,
    kModelSpaceRecord,
    kPaperSpaceRecord,
    kModelSpaceBlock,
    kModelSpaceEnd,
    kPaperSpaceBlock,
    kPaperSpaceEnd,
    kModelLayout,
    kPaperLayout,
    kFirstEntityHandle = 0x100,
};

class DxfDocument {
  public:
    DxfDocument(const Figure& figure, const DxfOptions& options)
        : figure_(figure), options_(options), r2000_(options.version == DxfVersion::R2000) {}

    std::string Write() {
        // The handle seed names the first handle not in use, so it is known
        // before the header is written.
        const std::size_t polylines = figure_.contours.size();
        handleSeed_ = kFirstEntityHandle + static_cast<std::uint32_t>(polylines);
        Header();
        if (r2000_) {
            Section("CLASSES");
            EndSection();
        }
        Tables();
        Blocks();
        Entities();
        if (r2000_) Objects();
        out_.Text(0, "EOF");
        return out_.Take();
    }

  private:
    void Section(const char* name) {
        out_.Text(0, "SECTION");
        out_.Text(2, name);
    }
    void EndSection() { out_.Text(0, "ENDSEC"); }

    void Variable(const char* name) { out_.Text(9, name); }

    void Header() {
        const double width = figure_.DocumentWidth();
        const double height = figure_.DocumentHeight();
        Section("HEADER");
        Variable("$ACADVER");
        out_.Text(1, r2000_ ? "AC1015" : "AC1009");
        if (r2000_) {
            Variable("$DWGCODEPAGE");
            out_.Text(3, "ANSI_1252");
        }
        Variable("$INSBASE");
        out_.Point(10, 0, 0, 0);
        Variable("$EXTMIN");
        out_.Point(10, 0, 0, 0);
        Variable("$EXTMAX");
        out_.Point(10, width, height, 0);
        Variable("$LIMMIN");
        out_.Point(10, 0, 0);
        Variable("$LIMMAX");
        out_.Point(10, width, height);
        // Millimetres, for the programs that read these also in an R12 file.
        Variable("$INSUNITS");
        out_.Integer(70, 4);
        Variable("$MEASUREMENT");
        out_.Integer(70, 1);
        if (r2000_) {
            Variable("$HANDSEED");
            out_.Handle(5, handleSeed_);
        }
        EndSection();
    }

    // The start of a symbol table with its number of entries.
    void Table(const char* name, std::uint32_t handle, int entries) {
        out_.Text(0, "TABLE");
        out_.Text(2, name);
        if (r2000_) {
            out_.Handle(5, handle);
            out_.Handle(330, 0);
            out_.Text(100, "AcDbSymbolTable");
        }
        out_.Integer(70, entries);
        if (r2000_ && handle == kDimstyleTable) out_.Text(100, "AcDbDimStyleTable");
    }
    void EndTable() { out_.Text(0, "ENDTAB"); }

    // The start of a table entry; R2000 adds its handle, owner and classes.
    void Entry(const char* type, std::uint32_t handle, std::uint32_t table, const char* subclass,
               const char* name) {
        out_.Text(0, type);
        if (r2000_) {
            out_.Handle(handle == kDimstyleStandard ? 105 : 5, handle);
            out_.Handle(330, table);
            out_.Text(100, "AcDbSymbolTableRecord");
            out_.Text(100, subclass);
        }
        out_.Text(2, name);
        out_.Integer(70, 0);
    }

    // The active viewport, centred on the document and as high as it, so
    // that the drawing opens showing the whole figure.
    void ActiveViewport() {
        const double width = figure_.DocumentWidth();
        const double side = figure_.DocumentHeight();
        Entry("VPORT", kActiveVport, kVportTable, "AcDbViewportTableRecord",
              r2000_ ? "*Active" : "*ACTIVE");
        out_.Point(10, 0, 0);
        out_.Point(11, 1, 1);
        out_.Point(12, width / 2, side / 2);
        out_.Point(13, 0, 0);
        out_.Point(14, 10, 10);
        out_.Point(15, 10, 10);
        out_.Point(16, 0, 0, 1);
        out_.Point(17, 0, 0, 0);
        out_.Real(40, side);
        out_.Real(41, 1);
        out_.Real(42, 50);
        out_.Real(43, 0);
        out_.Real(44, 0);
        out_.Real(50, 0);
        out_.Real(51, 0);
        out_.Integer(71, 0);
        out_.Integer(72, 100);
        out_.Integer(73, 1);
        out_.Integer(74, 3);
        out_.Integer(75, 0);
        out_.Integer(76, 0);
        out_.Integer(77, 0);
        out_.Integer(78, 0);
    }

    void Linetype(std::uint32_t handle, const char* name, const char* description) {
        Entry("LTYPE", handle, kLtypeTable, "AcDbLinetypeTableRecord", name);
        out_.Text(3, description);
        out_.Integer(72, 65);
        out_.Integer(73, 0);
        out_.Real(40, 0);
    }

    void Tables() {
        Section("TABLES");
        Table("VPORT", kVportTable, 1);
        ActiveViewport();
        EndTable();

        Table("LTYPE", kLtypeTable, r2000_ ? 3 : 1);
        if (r2000_) {
            Linetype(kLtypeByBlock, "ByBlock", "");
            Linetype(kLtypeByLayer, "ByLayer", "");
        }
        Linetype(kLtypeContinuous, r2000_ ? "Continuous" : "CONTINUOUS", "Solid line");
        EndTable();

        Table("LAYER", kLayerTable, 1);
        Entry("LAYER", kLayer0, kLayerTable, "AcDbLayerTableRecord", "0");
        out_.Integer(62, 7);
        out_.Text(6, r2000_ ? "Continuous" : "CONTINUOUS");
        EndTable();

        Table("STYLE", kStyleTable, 1);
        Entry("STYLE", kStyleStandard, kStyleTable, "AcDbTextStyleTableRecord",
              r2000_ ? "Standard" : "STANDARD");
        out_.Real(40, 0);
        out_.Real(41, 1);
        out_.Real(50, 0);
        out_.Integer(71, 0);
        out_.Real(42, 2.5);
        out_.Text(3, "txt");
        out_.Text(4, "");
        EndTable();

        Table("VIEW", kViewTable, 0);
        EndTable();
        Table("UCS", kUcsTable, 0);
        EndTable();

        Table("APPID", kAppidTable, 1);
        Entry("APPID", kAppidAcad, kAppidTable, "AcDbRegAppTableRecord", "ACAD");
        EndTable();

        Table("DIMSTYLE", kDimstyleTable, r2000_ ? 1 : 0);
        if (r2000_) {
            Entry("DIMSTYLE", kDimstyleStandard, kDimstyleTable, "AcDbDimStyleTableRecord",
                  "Standard");
        }
        EndTable();

        if (r2000_) {
            Table("BLOCK_RECORD", kBlockRecordTable, 2);
            BlockRecord(kModelSpaceRecord, "*Model_Space", kModelLayout);
            BlockRecord(kPaperSpaceRecord, "*Paper_Space", kPaperLayout);
            EndTable();
        }
        EndSection();
    }

    void BlockRecord(std::uint32_t handle, const char* name, std::uint32_t layout) {
        out_.Text(0, "BLOCK_RECORD");
        out_.Handle(5, handle);
        out_.Handle(330, kBlockRecordTable);
        out_.Text(100, "AcDbSymbolTableRecord");
        out_.Text(100, "AcDbBlockTableRecord");
        out_.Text(2, name);
        out_.Handle(340, layout);
    }

    // The two layout blocks that every R2000 drawing holds; R12 needs none.
    void Blocks() {
        Section("BLOCKS");
        if (r2000_) {
            Block(kModelSpaceBlock, kModelSpaceRecord, "*Model_Space", false);
            Block(kPaperSpaceBlock, kPaperSpaceRecord, "*Paper_Space", true);
        }
        EndSection();
    }

    void Block(std::uint32_t handle, std::uint32_t record, const char* name, bool paperSpace) {
        out_.Text(0, "BLOCK");
        out_.Handle(5, handle);
        out_.Handle(330, record);
        out_.Text(100, "AcDbEntity");
        if (paperSpace) out_.Integer(67, 1);
        out_.Text(8, "0");
        out_.Text(100, "AcDbBlockBegin");
        out_.Text(2, name);
        out_.Integer(70, 0);
        out_.Point(10, 0, 0, 0);
        out_.Text(3, name);
        out_.Text(1, "");
        out_.Text(0, "ENDBLK");
        out_.Handle(5, handle + 1);
        out_.Handle(330, record);
        out_.Text(100, "AcDbEntity");
        if (paperSpace) out_.Integer(67, 1);
        out_.Text(8, "0");
        out_.Text(100, "AcDbBlockEnd");
    }

    void Entities() {
        Section("ENTITIES");
        std::uint32_t handle = kFirstEntityHandle;
        for (const Contour& contour : figure_.contours) {
            const std::vector<DxfVertex> vertices = DxfVerticesOf(contour, figure_, options_.arcs);
            if (r2000_) {
                LightweightPolyline(vertices, handle++);
            } else {
                Polyline(vertices);
            }
        }
        EndSection();
    }

    // R12: a POLYLINE, closed (flag 1), its VERTEX entities and SEQEND.
    void Polyline(const std::vector<DxfVertex>& vertices) {
        const int color = NearestAci(figure_.strokeColor);
        out_.Text(0, "POLYLINE");
        out_.Text(8, "0");
        out_.Integer(62, color);
        out_.Integer(66, 1);
        out_.Point(10, 0, 0, 0);
        out_.Integer(70, 1);
        for (const DxfVertex& v : vertices) {
            out_.Text(0, "VERTEX");
            out_.Text(8, "0");
            out_.Integer(62, color);
            out_.Point(10, v.x, v.y, 0);
            if (v.bulge != 0) out_.Real(42, v.bulge, kBulgeDecimals);
        }
        out_.Text(0, "SEQEND");
        out_.Text(8, "0");
    }

    // R2000: one LWPOLYLINE, closed (flag 1), in model space.
    void LightweightPolyline(const std::vector<DxfVertex>& vertices, std::uint32_t handle) {
        out_.Text(0, "LWPOLYLINE");
        out_.Handle(5, handle);
        out_.Handle(330, kModelSpaceRecord);
        out_.Text(100, "AcDbEntity");
        out_.Text(8, "0");
        out_.Integer(62, NearestAci(figure_.strokeColor));
        out_.Integer(420, TrueColorOf(figure_.strokeColor));
        out_.Text(100, "AcDbPolyline");
        out_.Integer(90, static_cast<std::int64_t>(vertices.size()));
        out_.Integer(70, 1);
        out_.Real(43, 0);
        for (const DxfVertex& v : vertices) {
            out_.Point(10, v.x, v.y);
            if (v.bulge != 0) out_.Real(42, v.bulge, kBulgeDecimals);
        }
    }

    void Dictionary(std::uint32_t handle, std::uint32_t owner) {
        out_.Text(0, "DICTIONARY");
        out_.Handle(5, handle);
        if (owner != 0) {
            out_.Text(102, "{ACAD_REACTORS");
            out_.Handle(330, owner);
            out_.Text(102, "}");
        }
        out_.Handle(330, owner);
        out_.Text(100, "AcDbDictionary");
        out_.Integer(281, 1);
    }

    // The named-object dictionary with the group and layout dictionaries,
    // and the two layouts that the block records point to.
    void Objects() {
        Section("OBJECTS");
        Dictionary(kRootDictionary, 0);
        out_.Text(3, "ACAD_GROUP");
        out_.Handle(350, kGroupDictionary);
        out_.Text(3, "ACAD_LAYOUT");
        out_.Handle(350, kLayoutDictionary);
        Dictionary(kGroupDictionary, kRootDictionary);
        Dictionary(kLayoutDictionary, kRootDictionary);
        out_.Text(3, "Layout1");
        out_.Handle(350, kPaperLayout);
        out_.Text(3, "Model");
        out_.Handle(350, kModelLayout);
        Layout(kModelLayout, "Model", 0, kModelSpaceRecord);
        Layout(kPaperLayout, "Layout1", 1, kPaperSpaceRecord);
        EndSection();
    }

    void Layout(std::uint32_t handle, const char* name, int order, std::uint32_t record) {
        const double width = figure_.DocumentWidth();
        const double side = figure_.DocumentHeight();
        out_.Text(0, "LAYOUT");
        out_.Handle(5, handle);
        out_.Text(102, "{ACAD_REACTORS");
        out_.Handle(330, kLayoutDictionary);
        out_.Text(102, "}");
        out_.Handle(330, kLayoutDictionary);
        out_.Text(100, "AcDbPlotSettings");
        out_.Text(1, "");
        out_.Text(2, "none_device");
        out_.Text(4, "");
        out_.Text(6, "");
        for (const int code : {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 140, 141}) {
            out_.Real(code, 0);
        }
        out_.Real(142, 1);
        out_.Real(143, 1);
        out_.Integer(70, 688);
        out_.Integer(72, 1);  // paper in millimetres
        out_.Integer(73, 0);
        out_.Integer(74, 5);
        out_.Text(7, "");
        out_.Integer(75, 16);
        out_.Real(147, 1);
        out_.Real(148, 0);
        out_.Real(149, 0);
        out_.Text(100, "AcDbLayout");
        out_.Text(1, name);
        out_.Integer(70, 1);
        out_.Integer(71, order);
        out_.Point(10, 0, 0);
        out_.Point(11, width, side);
        out_.Point(12, 0, 0, 0);
        out_.Point(14, 0, 0, 0);
        out_.Point(15, width, side, 0);
        out_.Real(146, 0);
        out_.Point(13, 0, 0, 0);
        out_.Point(16, 1, 0, 0);
        out_.Point(17, 0, 1, 0);
        out_.Integer(76, 0);
        out_.Handle(330, record);
    }

    const Figure& figure_;
    const DxfOptions& options_;
    const bool r2000_;
    std::uint32_t handleSeed_ = kFirstEntityHandle;
    DxfGroups out_;
};

}  // namespace

std::string DxfDocumentOf(const Figure& figure, const DxfOptions& options) {
    RequireDrawableFigure(figure);
    return DxfDocument(figure, options).Write();
}

}  // namespace polygrav
