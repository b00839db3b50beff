// SBML ids for the names of a model. The id of a name is the name with every character other
// than an ASCII letter, digit or '_' replaced by '_', and '_' put in front of a leading digit:
// "Kin:Sub.cyt" becomes "Kin_Sub_cyt". Names whose ids would be equal, or equal to a reserved
// id, each get '_' and eight hexadecimal digits of a hash of the name appended
// ("A.cyt" and "A_cyt" become "A_cyt_5f0f3c1e" and "A_cyt_0a1b2c3d"), so the id of a name
// depends on that name alone unless another name of the model clashes with it. Equal names take
// "_2", "_3", ... after the first, in the order given.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace kineport {

// The id of one name before clashes are resolved.
std::string plain_id(const std::string& name);

// Unique ids for `names` (in order), none of them in `reserved`.
std::vector<std::string> unique_ids(const std::vector<std::string>& names,
                                    const std::set<std::string>& reserved);

}  // namespace kineport
