#include "util/csv.h"

namespace ledgernova::util {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class CsvReader {
  public:
    explicit CsvReader(std::string_view text) : text_(text) {
        if (text_.starts_with(kByteOrderMark)) {
            text_.remove_prefix(kByteOrderMark.size());
        }
    }

    std::vector<CsvRecord> records() {
        std::vector<CsvRecord> records;
        while (at_ < text_.size()) {
            CsvRecord record{line_, read_record()};
            if (record.fields.size() > 1 || !record.fields.front().empty()) {
                records.push_back(std::move(record));
            }
        }
        return records;
    }

  private:
    std::vector<std::string> read_record() {
        std::vector<std::string> fields{read_field()};
        while (at_ < text_.size() && text_[at_] == ',') {
            ++at_;
            fields.push_back(read_field());
        }
        end_line();
        return fields;
    }

    std::string read_field() {
        if (at_ < text_.size() && text_[at_] == '"') {
            ++at_;
            return read_quoted();
        }
        std::string field;
        while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '\n' &&
               !text_.substr(at_).starts_with("\r\n")) {
            field += text_[at_++];
        }
        return field;
    }

    std::string read_quoted() {
        std::string field;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"' && at_ < text_.size() && text_[at_] == '"') {
                ++at_;
            } else if (c == '"') {
                return field + read_field();  // anything up to the next comma belongs to it
            }
            line_ += c == '\n' ? 1 : 0;
            field += c;
        }
        return field;
    }

    void end_line() {
        if (text_.substr(at_).starts_with("\r\n")) {
            at_ += 2;
        } else if (at_ < text_.size()) {
            ++at_;
        }
        ++line_;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

}  // namespace

std::vector<CsvRecord> parse_csv(std::string_view text) {
    return CsvReader(text).records();
}

}  // namespace ledgernova::util
