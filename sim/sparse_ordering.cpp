#include "sparse_ordering.h"

#include <cholmod.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace kinesim {

namespace {

using Index = SuiteSparse_long;
static_assert(sizeof(Index) == sizeof(sunindextype), "KLU's long interface serves sunindextype");

// The strictly upper triangle of the pattern of A + A', as CHOLMOD's symmetric storage.
cholmod_sparse* symmetric_pattern(Index n, const Index* Ap, const Index* Ai, cholmod_common* cc) {
    std::vector<std::vector<Index>> columns(n);
    for (Index c = 0; c < n; ++c) {
        for (Index k = Ap[c]; k < Ap[c + 1]; ++k) {
            if (Ai[k] != c) columns[std::max(Ai[k], c)].push_back(std::min(Ai[k], c));
        }
    }
    size_t count = 0;
    for (std::vector<Index>& rows : columns) {
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        count += rows.size();
    }
    cholmod_sparse* A = cholmod_l_allocate_sparse(n, n, count, 1, 1, 1, CHOLMOD_PATTERN, cc);
    if (A == nullptr) return nullptr;
    auto* p = static_cast<Index*>(A->p);
    auto* i = static_cast<Index*>(A->i);
    Index at = 0;
    for (Index c = 0; c < n; ++c) {
        p[c] = at;
        for (Index r : columns[c]) i[at++] = r;
    }
    p[n] = at;
    return A;
}

// KLU's user ordering: fills Perm; 0 on failure, else a positive number. METIS draws from a
// random generator it keeps in global state and seeds at each call: calls from several threads
// at once (kinefit's starts) would draw from each other's sequence and order differently from
// run to run, so they take turns.
Index order(Index n, Index* Ap, Index* Ai, Index* Perm, klu_l_common*) {
    static std::mutex metis;
    std::lock_guard<std::mutex> turn(metis);
    cholmod_common cc;
    cholmod_l_start(&cc);
    cc.print = 0;
    cholmod_sparse* A = symmetric_pattern(n, Ap, Ai, &cc);
    bool ordered = A != nullptr && (cholmod_l_metis(A, nullptr, 0, 1, Perm, &cc) ||
                                    cholmod_l_amd(A, nullptr, 0, Perm, &cc));
    cholmod_l_free_sparse(&A, &cc);
    cholmod_l_finish(&cc);
    return ordered ? 1 : 0;
}

}  // namespace

void use_nested_dissection(SUNLinearSolver solver) {
    sun_klu_common* common = SUNLinSol_KLUGetCommon(solver);
    common->ordering = 3;  // the user's
    common->user_order = order;
}

}  // namespace kinesim
