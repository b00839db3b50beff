#include "ssystem_terms.h"

#include "code_format.h"

namespace {

std::string power_factor(const std::string& symbol, const char* prefix, int order, bool cNotation) {
    return cNotation ? code_format("*pow(%s,%s[%d])", symbol.c_str(), prefix, order)
                     : code_format("*(%s^(%s(%d)))", symbol.c_str(), prefix, order);
}

std::string own_power_derivative(const std::string& symbol, const char* prefix, int order,
                                 bool cNotation) {
    const char* s = symbol.c_str();
    return cNotation ? code_format("*%s[%d]*pow(%s,%s[%d]-1)", prefix, order, s, prefix, order)
                     : code_format("*(%s(%d)*(%s^(%s(%d)-1)))", prefix, order, s, prefix, order);
}

// "kplus[i]" or " - kminus[i]", brackets by the layout.
std::string rate_constant(const char* head, int i, bool matlab) {
    return code_format(matlab ? "%s(%d)" : "%s[%d]", head, i);
}

// The power factors of one part, formatted once: all of them joined, and where each begins.
class PowerFactors {
  public:
    PowerFactors(const OrderTable& table, const char* prefix, const SsystemLayout& layout)
        : table_(table), prefix_(prefix), layout_(layout) {
        for (const KineticOrder& o : table) {
            starts_.push_back(joined_.size());
            joined_ +=
                power_factor(ssystem_symbol(o.symbol, layout), prefix, o.order, layout.cNotation);
        }
        starts_.push_back(joined_.size());
    }

    const std::string& joined() const { return joined_; }

    // Writes the factors differentiated by the symbol of entry `at`.
    void write_derivative(FILE* out, size_t at) const {
        const KineticOrder& o = table_[at];
        const std::string own = own_power_derivative(ssystem_symbol(o.symbol, layout_), prefix_,
                                                     o.order, layout_.cNotation);
        std::fwrite(joined_.data(), 1, starts_[at], out);
        std::fwrite(own.data(), 1, own.size(), out);
        std::fwrite(joined_.data() + starts_[at + 1], 1, joined_.size() - starts_[at + 1], out);
    }

  private:
    const OrderTable& table_;
    const char* prefix_;
    const SsystemLayout& layout_;
    std::string joined_;
    std::vector<size_t> starts_;
};

bool is_variable_at(const OrderTable& table, size_t at, int n) {
    return at < table.size() && table[at].symbol <= n;
}

}  // namespace

std::string ssystem_symbol(int m, const SsystemLayout& layout) {
    const bool isVariable = m <= layout.n;
    const char* base = isVariable ? "y" : "constantPlayer";
    const int index = isVariable ? m : m - layout.n;
    return code_format(layout.cNotation ? "%s[%d]" : "%s(%d)", base, index);
}

std::string ssystem_fvec_line(int i, const OrderTable& g, const OrderTable& h, bool hasPositive,
                              bool hasNegative, const SsystemLayout& layout) {
    std::string line = code_format(layout.matlab ? "fvec(%3d) = " : "fvec[%3d] = ", i);
    if (hasPositive) {
        line += rate_constant("kplus", i, layout.matlab) + PowerFactors(g, "g", layout).joined();
    }
    if (hasNegative) {
        line += " - " + rate_constant("kminus", i, layout.matlab) +
                PowerFactors(h, "h", layout).joined();
    }
    return line + ";\n";
}

void write_ssystem_fjac_lines(FILE* out, int i, const OrderTable& g, const OrderTable& h,
                              const SsystemLayout& layout) {
    const PowerFactors gFactors(g, "g", layout), hFactors(h, "h", layout);
    const std::string kplus = rate_constant("kplus", i, layout.matlab);
    const std::string kminus = " - " + rate_constant("kminus", i, layout.matlab);
    // The variables either part holds, ascending: a merge of the two tables. The lines go out in
    // pieces: the Jacobian of a large network runs to hundreds of megabytes.
    for (size_t a = 0, b = 0; is_variable_at(g, a, layout.n) || is_variable_at(h, b, layout.n);) {
        const int inG = is_variable_at(g, a, layout.n) ? g[a].symbol : layout.n + 1;
        const int inH = is_variable_at(h, b, layout.n) ? h[b].symbol : layout.n + 1;
        const int k = inG < inH ? inG : inH;
        std::fprintf(out, layout.matlab ? "fjac(%3d,%3d) = " : "fjac[%3d][%3d] = ", i, k);
        if (inG == k) {
            std::fputs(kplus.c_str(), out);
            gFactors.write_derivative(out, a++);
        }
        if (inH == k) {
            std::fputs(kminus.c_str(), out);
            hFactors.write_derivative(out, b++);
        }
        std::fputs(";\n", out);
    }
}
