// symcode's usr_fvec compiled by kinesim with the values of a parameter file, behind a header
// free of kinesim's kine.h, whose Parameter record would clash with libSBML's Parameter class.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace zymorax::testkit {

class CompiledResidual {
  public:
    CompiledResidual();
    ~CompiledResidual();
    // Compiles `codeFile` (symcode -F) with TinyCC and binds `paramFile`; false after logging.
    bool load(const std::string& codeFile, const std::string& paramFile);
    // fvec = usr_fvec(y), both 0-based.
    void operator()(const std::vector<double>& y, std::vector<double>& fvec);

    int algebraic_count() const;
    const std::vector<std::string>& tags() const;  // by variable number - 1
    const std::vector<double>& initial() const;    // Y_START values

  private:
    struct Loaded;
    std::unique_ptr<Loaded> loaded_;
};

}  // namespace zymorax::testkit
