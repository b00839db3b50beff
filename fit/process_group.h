// The processes that share a fit. Run plainly, kinefit is one process; started by an MPI
// launcher (mpirun -n N kinefit ...) and built with MPI, it is one of N, and the starts are
// spread over them. The same binary serves both: MPI is joined only when a launcher started it.
// One job may run several fits (mpirun -n 4 kinefit A : -n 4 kinefit B): each program of the
// job is a group of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kinefit {

class ProcessGroup {
  public:
    ProcessGroup();  // joins the MPI job when there is one
    ~ProcessGroup();
    ProcessGroup(const ProcessGroup&) = delete;
    ProcessGroup& operator=(const ProcessGroup&) = delete;

    int rank() const { return rank_; }
    int size() const { return size_; }
    bool is_root() const { return rank_ == 0; }

    // True on every process when `ok` is true on every process.
    bool all(bool ok) const;
    // On the root: every process's `mine`, in rank order; elsewhere nothing.
    std::vector<std::string> gather(const std::string& mine) const;
    // The root's `status` on every process.
    int share(int status) const;

  private:
    struct Communicator;  // this program's processes within the job
    std::unique_ptr<Communicator> comm_;
    int rank_ = 0;
    int size_ = 1;
    bool joined_ = false;
};

// Whether an MPI launcher started this process (and the program was built with MPI).
bool launched_by_mpi();

}  // namespace kinefit
