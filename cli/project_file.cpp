#include "cli/project_file.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <set>

#include "media/input_files.h"
#include "morph/mesh_lattice.h"

namespace kavrell::cli {
namespace {

using nlohmann::json;

[[noreturn]] void Fail(const std::string& field, const std::string& what) { throw ProjectError(field, what); }

std::string Indexed(const std::string& field, size_t index) {
    return field + "[" + std::to_string(index) + "]";
}

std::string PointText(const Point32& p) {
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

// A value quoted in a message: scalars as written, anything bigger only by
// its type, so that one line stays one short line.
std::string Describe(const json& value) {
    if (value.is_number() || value.is_boolean() || value.is_null()) return value.dump();
    if (value.is_string()) {
        const std::string quoted = value.dump(-1, ' ', true);
        return quoted.size() <= 40 ? quoted : "a long string";
    }
    return std::string("an ") + (value.is_array() ? "array" : "object");
}

// A key named in a message: as it is when it looks like a name, escaped and
// quoted otherwise.
std::string KeyText(const std::string& key) {
    const bool plain = !key.empty() && key.size() <= 40 && std::all_of(key.begin(), key.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
    });
    if (plain) return key;
    const std::string quoted = json(key).dump(-1, ' ', true);
    return quoted.size() <= 40 ? quoted : "\"" + quoted.substr(1, 30) + "...\"";
}

// The whole number in value, which must lie in lowest..highest.
int32_t WholeNumber(const json& value, const std::string& field, int64_t lowest, int64_t highest,
                    const std::string& name = "") {
    const std::string subject = name.empty() ? "must be" : name + " must be";
    const std::string range =
        " from " + std::to_string(lowest) + " to " + std::to_string(highest) + ", found " + Describe(value);
    if (!value.is_number_integer()) Fail(field, subject + " a whole number" + range);
    // Non-negative numbers parse as unsigned and may exceed what int64 holds.
    const bool inRange = value.is_number_unsigned()
                             ? value.get<uint64_t>() <= static_cast<uint64_t>(highest) &&
                                   (lowest <= 0 || value.get<uint64_t>() >= static_cast<uint64_t>(lowest))
                             : value.get<int64_t>() >= lowest && value.get<int64_t>() <= highest;
    if (!inRange) Fail(field, subject + " a whole number" + range);
    return static_cast<int32_t>(value.get<int64_t>());
}

const json& ArrayOf(const json& value, const std::string& field, const std::string& content) {
    if (!value.is_array()) Fail(field, "must be an array of " + content + ", found " + Describe(value));
    return value;
}

// A point [x, y] of whole image coordinates.
Point32 ParsePoint(const json& value, const std::string& field) {
    if (!value.is_array()) Fail(field, "must be a point [x, y], found " + Describe(value));
    if (value.size() != 2) {
        Fail(field, "must be a point [x, y], found an array of " + std::to_string(value.size()) + " values");
    }
    return {WholeNumber(value[0], field, -LargestCoordinate, LargestCoordinate, "x"),
            WholeNumber(value[1], field, -LargestCoordinate, LargestCoordinate, "y")};
}

void RefuseUnknownKeys(const json& object, const std::string& prefix,
                       std::initializer_list<const char*> known) {
    for (const auto& item : object.items()) {
        const std::string& key = item.key();
        const bool isKnown =
            std::any_of(known.begin(), known.end(), [&](const char* name) { return key == name; });
        if (!isKnown) Fail(prefix + KeyText(key), "unknown field");
    }
}

// One node grid of (cols + 2) x (rows + 2) nodes whose border matches the
// lattice; a missing grid is the given fallback.
std::vector<Point32> ParseNodeGrid(const json& mesh, const char* name, int32_t cols, int32_t rows,
                                   const std::vector<Point32>& lattice,
                                   const std::vector<Point32>& fallback) {
    const std::string field = std::string("mesh.") + name;
    if (!mesh.contains(name)) return fallback;
    const json& columns = ArrayOf(mesh.at(name), field, "node columns");
    const auto columnCount = static_cast<size_t>(cols + 2);
    const auto rowCount = static_cast<size_t>(rows + 2);
    if (columns.size() != columnCount) {
        Fail(field, "must hold cols + 2 = " + std::to_string(columnCount) + " columns, found " +
                        std::to_string(columns.size()));
    }
    std::vector<Point32> nodes;
    nodes.reserve(columnCount * rowCount);
    for (size_t i = 0; i < columnCount; ++i) {
        const std::string columnField = Indexed(field, i);
        const json& column = ArrayOf(columns[i], columnField, "nodes");
        if (column.size() != rowCount) {
            Fail(columnField, "must hold rows + 2 = " + std::to_string(rowCount) + " nodes, found " +
                                  std::to_string(column.size()));
        }
        for (size_t j = 0; j < rowCount; ++j) {
            const std::string nodeField = Indexed(columnField, j);
            const Point32 node = ParsePoint(column[j], nodeField);
            const Point32 fixed = lattice[nodes.size()];
            if (IsBorderNode(static_cast<int32_t>(i), static_cast<int32_t>(j), cols, rows) && node != fixed) {
                Fail(nodeField,
                     "border node must stay at " + PointText(fixed) + ", found " + PointText(node));
            }
            nodes.push_back(node);
        }
    }
    return nodes;
}

MeshProject ParseMesh(const json& mesh, int32_t width, int32_t height) {
    if (!mesh.is_object()) Fail("mesh", "must be an object, found " + Describe(mesh));
    RefuseUnknownKeys(mesh, "mesh.", {"cols", "rows", "src", "dst"});
    MeshProject result;
    for (const char* name : {"cols", "rows"}) {
        if (!mesh.contains(name)) Fail(std::string("mesh.") + name, "missing (1 to 100 interior nodes)");
    }
    result.cols = WholeNumber(mesh.at("cols"), "mesh.cols", MinMeshCount, MaxMeshCount);
    result.rows = WholeNumber(mesh.at("rows"), "mesh.rows", MinMeshCount, MaxMeshCount);
    const std::vector<Point32> lattice = MeshLattice(width, height, result.cols, result.rows);
    result.src = ParseNodeGrid(mesh, "src", result.cols, result.rows, lattice, lattice);
    result.dst = ParseNodeGrid(mesh, "dst", result.cols, result.rows, lattice, result.src);
    return result;
}

// A slot list: points and breaks (null). Every polyline has at least two
// points, a break stands only between two polylines or after the last one,
// and the list fits the editor's limit.
std::vector<Point32> ParseSlots(const json& value, const std::string& field) {
    const json& slots = ArrayOf(value, field, "points [x, y] and breaks (null)");
    if (slots.size() > static_cast<size_t>(MaxFieldPoints)) {
        Fail(field, "has " + std::to_string(slots.size()) + " slots, at most " +
                        std::to_string(MaxFieldPoints) + " are allowed");
    }
    std::vector<Point32> result;
    result.reserve(slots.size());
    size_t polylineStart = 0;
    for (size_t k = 0; k < slots.size(); ++k) {
        const std::string slotField = Indexed(field, k);
        if (!slots[k].is_null()) {
            result.push_back(ParsePoint(slots[k], slotField));
            continue;
        }
        if (k == 0) Fail(slotField, "a break cannot come first: it ends a polyline");
        if (slots[k - 1].is_null()) Fail(slotField, "two breaks in a row");
        if (k - polylineStart < 2) {
            Fail(Indexed(field, polylineStart), "polyline of one point; every polyline needs at least two");
        }
        result.push_back({EmptySlot, 0});
        polylineStart = k + 1;
    }
    if (polylineStart < slots.size() && slots.size() - polylineStart < 2) {
        Fail(Indexed(field, polylineStart), "polyline of one point; every polyline needs at least two");
    }
    return result;
}

FieldProject ParseField(const json& field) {
    if (!field.is_object()) Fail("field", "must be an object, found " + Describe(field));
    RefuseUnknownKeys(field, "field.", {"src", "dst"});
    FieldProject result;
    if (field.contains("src")) result.src = ParseSlots(field.at("src"), "field.src");
    if (!field.contains("dst")) {
        result.dst = result.src;
        return result;
    }
    result.dst = ParseSlots(field.at("dst"), "field.dst");
    if (result.dst.size() != result.src.size()) {
        Fail("field.dst", "has " + std::to_string(result.dst.size()) + " slots, field.src has " +
                              std::to_string(result.src.size()) + "; both must have the same");
    }
    for (size_t k = 0; k < result.src.size(); ++k) {
        if (HoldsPoint(result.src[k]) != HoldsPoint(result.dst[k])) {
            Fail(Indexed("field.dst", k),
                 std::string(HoldsPoint(result.dst[k]) ? "is a point" : "is a break") + " but field.src[" +
                     std::to_string(k) + "] is " + (HoldsPoint(result.src[k]) ? "a point" : "a break") +
                     "; breaks must stand in the same slots");
        }
    }
    return result;
}

// Finds the first key that an object holds twice, with its path
// ("mesh.cols", "field.src"), while the text is parsed once more.
class DuplicateKeyFinder : public nlohmann::json_sax<json> {
public:
    const std::string& found() const { return found_; }

    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool string(string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool start_object(std::size_t) override {
        open_.push_back(Container{true, {}, {}, 0});
        return true;
    }
    bool key(string_t& key) override {
        Container& object = open_.back();
        object.key = key;
        if (object.keys.insert(key).second) return true;
        found_ = PathTo(open_.size());
        return false;  // stops the parse
    }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override {
        open_.push_back(Container{false, {}, {}, 0});
        return true;
    }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    struct Container {
        bool object;
        std::set<std::string> keys;
        std::string key;   // an object's current key
        size_t index = 0;  // an array's current element
    };

    // The path of the current element of the first depth containers.
    std::string PathTo(size_t depth) const {
        std::string path;
        for (size_t k = 0; k < depth; ++k) {
            const Container& container = open_[k];
            if (!container.object) {
                path = Indexed(path, container.index);
            } else {
                path += (path.empty() ? "" : ".") + KeyText(container.key);
            }
        }
        return path;
    }
    bool Value() {
        if (!open_.empty() && !open_.back().object) ++open_.back().index;
        return true;
    }
    bool Close() {
        open_.pop_back();
        return Value();
    }

    std::vector<Container> open_;
    std::string found_;
};

void RefuseDuplicateKeys(std::string_view text) {
    DuplicateKeyFinder finder;
    json::sax_parse(text.begin(), text.end(), &finder, nlohmann::detail::input_format_t::json, false);
    if (!finder.found().empty())
        Fail(finder.found(), "appears twice in one object; each key may appear once");
}

// The token nlohmann quotes after "last read: '", which may be long and
// hold any bytes, as a short escaped excerpt.
std::string ShortenLastRead(std::string message) {
    const std::string opening = "last read: '";
    const size_t begin = message.find(opening);
    if (begin == std::string::npos) return message;
    const size_t tokenBegin = begin + opening.size();
    const size_t expected = message.find("'; expected ", tokenBegin);
    const size_t tokenEnd = expected != std::string::npos ? expected : message.rfind('\'');
    if (tokenEnd == std::string::npos || tokenEnd < tokenBegin) return message;
    return message.substr(0, tokenBegin) +
           Excerpt(std::string_view(message).substr(tokenBegin, tokenEnd - tokenBegin)) +
           message.substr(tokenEnd);
}

// "parse error at line 4, column 2: syntax error ..." becomes the place
// "line 4, column 2" and the text after it.
[[noreturn]] void FailSyntax(const json::parse_error& error) {
    const std::string message = ShortenLastRead(error.what());
    const size_t at = message.find(" at line ");
    const size_t colon = at == std::string::npos ? std::string::npos : message.find(": ", at);
    if (colon == std::string::npos) Fail("byte " + std::to_string(error.byte), "not valid JSON");
    Fail(message.substr(at + 4, colon - at - 4), "not valid JSON: " + message.substr(colon + 2));
}

}  // namespace

Project ParseProject(std::string_view text, int32_t width, int32_t height) {
    json document;
    try {
        document = json::parse(text.begin(), text.end());
    } catch (const json::parse_error& error) {
        FailSyntax(error);
    } catch (const json::exception& error) {
        // A number too large for a double ("1e999") is refused while parsing.
        const std::string message = error.what();
        const size_t detail = message.find("] ");
        Fail("JSON text",
             "not valid JSON: " + (detail == std::string::npos ? message : message.substr(detail + 2)));
    }
    RefuseDuplicateKeys(text);
    if (!document.is_object()) Fail("top level", "must be a JSON object, found " + Describe(document));
    RefuseUnknownKeys(document, "", {"method", "frames", "delay", "interpolation", "mesh", "field"});

    Project project;
    if (!document.contains("method")) Fail("method", "missing (\"mesh\" or \"field\")");
    const json& method = document.at("method");
    if (method == "mesh") {
        project.method = WarpMethod::Mesh;
    } else if (method == "field") {
        project.method = WarpMethod::Field;
    } else {
        Fail("method", "must be \"mesh\" or \"field\", found " + Describe(method));
    }
    if (document.contains("frames"))
        project.frames = WholeNumber(document.at("frames"), "frames", MinFrames, MaxFrames);
    if (document.contains("delay"))
        project.delay = WholeNumber(document.at("delay"), "delay", MinDelay, MaxDelay);
    if (document.contains("interpolation")) {
        const json& interpolation = document.at("interpolation");
        if (interpolation == "linear") {
            project.interpolation = Interpolation::Linear;
        } else if (interpolation == "catmull-rom") {
            project.interpolation = Interpolation::CatmullRom;
        } else {
            Fail("interpolation", "must be \"linear\" or \"catmull-rom\", found " + Describe(interpolation));
        }
    }
    if (document.contains("mesh")) project.mesh = ParseMesh(document.at("mesh"), width, height);
    if (document.contains("field")) project.field = ParseField(document.at("field"));
    return project;
}

}  // namespace kavrell::cli
