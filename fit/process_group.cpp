#include "process_group.h"

#include <cstdlib>

#ifdef KINEFIT_WITH_MPI
#define OMPI_SKIP_MPICXX 1  // the C interface only
#define MPICH_SKIP_MPICXX 1
#include <mpi.h>
#endif

namespace kinefit {

bool launched_by_mpi() {
#ifdef KINEFIT_WITH_MPI
    // What Open MPI's and MPICH's launchers (and PMIx) set in every process they start.
    for (const char* name : {"OMPI_COMM_WORLD_SIZE", "PMI_SIZE", "PMIX_RANK"}) {
        if (std::getenv(name) != nullptr) return true;
    }
#endif
    return false;
}

#ifdef KINEFIT_WITH_MPI

ProcessGroup::ProcessGroup() {
    if (!launched_by_mpi()) return;
    int provided = 0;
    if (MPI_Init_thread(nullptr, nullptr, MPI_THREAD_FUNNELED, &provided) != MPI_SUCCESS) return;
    joined_ = true;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank_);
    MPI_Comm_size(MPI_COMM_WORLD, &size_);
}

ProcessGroup::~ProcessGroup() {
    if (joined_) MPI_Finalize();
}

bool ProcessGroup::all(bool ok) const {
    if (!joined_) return ok;
    int mine = ok ? 1 : 0, every = 0;
    MPI_Allreduce(&mine, &every, 1, MPI_INT, MPI_MIN, MPI_COMM_WORLD);
    return every == 1;
}

std::vector<std::string> ProcessGroup::gather(const std::string& mine) const {
    if (!joined_) return {mine};
    int length = static_cast<int>(mine.size());
    std::vector<int> lengths(size_), offsets(size_);
    MPI_Gather(&length, 1, MPI_INT, lengths.data(), 1, MPI_INT, 0, MPI_COMM_WORLD);
    std::string all;
    if (is_root()) {
        for (int r = 1; r < size_; ++r) offsets[r] = offsets[r - 1] + lengths[r - 1];
        all.resize(offsets[size_ - 1] + lengths[size_ - 1]);
    }
    MPI_Gatherv(mine.data(), length, MPI_CHAR, all.data(), lengths.data(), offsets.data(), MPI_CHAR,
                0, MPI_COMM_WORLD);
    std::vector<std::string> parts;
    for (int r = 0; is_root() && r < size_; ++r)
        parts.push_back(all.substr(offsets[r], lengths[r]));
    return parts;
}

int ProcessGroup::share(int status) const {
    if (joined_) MPI_Bcast(&status, 1, MPI_INT, 0, MPI_COMM_WORLD);
    return status;
}

#else

ProcessGroup::ProcessGroup() = default;
ProcessGroup::~ProcessGroup() = default;
bool ProcessGroup::all(bool ok) const {
    return ok;
}
std::vector<std::string> ProcessGroup::gather(const std::string& mine) const {
    return {mine};
}
int ProcessGroup::share(int status) const {
    return status;
}

#endif

}  // namespace kinefit
