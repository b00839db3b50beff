% ZYMORAX_simulate  Simulates the MATLAB code that symcode writes, with ode15s.
%
%   [t, y, tags] = ZYMORAX_simulate(t_span, step, csv_file)
%   [t, y, tags] = ZYMORAX_simulate(t_span, step, csv_file, options)
%
% Run it in the folder of "ZYMORAX_initial.m", "ZYMORAX_param.m", "ZYMORAX_usr_fvec.m" and
% "ZYMORAX_usr_fjac.m" (symcode -MATLAB), with this folder on the path. When valscribe's
% "ZYMORAX_Merge_init.m" and "ZYMORAX_Merge_param.m" are there too, their values are used.
% When "ZYMORAX_usr_jpattern.m" is there (symcode -MATLAB -J), ode15s gets the Jacobian and the
% mass matrix as sparse matrices and the Jacobian's pattern as JPattern.
%
%   t_span    [start end]; [] takes the times of the TIME_START and TIME_END events, else
%             ZYMORAX_CTL.T_START and ZYMORAX_CTL.T_END
%   step      output step; the outputs are start, start + step, ... and end
%   csv_file  CSV time course to write ('' writes none): "time,<tag1>,<tag2>,..."
%   options   struct, every field optional:
%               RelTol, AbsTol  tolerances (default ZYMORAX_CTL.NDF_RTOL and NDF_ATOL)
%               values          'auto' (merged files when present), 'merged' or 'generated'
%
% The model is the semi-explicit DAE M y' = usr_fvec(y) with the mass matrix ZYMORAX_CTL.MASS
% (the first N_ALGEBR equations algebraic). The algebraic variables are first made consistent
% by Newton's method with the ZYMORAX_CTL.NR_* settings, starting from their Y_START values.
%
% Events other than TIME_START and TIME_END (the parameter file's T_EVENT rows, exported by
% valscribe) set param.<name>(<index>).value at their time: ode15s integrates the spans between
% the event times, events of one time apply in their order, and the algebraic variables are made
% consistent again after them. An event at the start applies before it; the output at an event's
% time is the state after it; an event outside the time span is reported by a warning and not
% applied.
function [t, y, tags] = ZYMORAX_simulate(t_span, step, csv_file, options)
  if nargin < 4
    options = struct();
  end
  [ctl, start, param, event] = load_inputs(option(options, 'values', 'auto'));
  [y0, tags] = initial_state(ctl, start);
  check_parameters(param);
  t_span = time_span(t_span, ctl, event);
  changes = parameter_changes(event, param, t_span);
  times = output_times(t_span, step);
  snap = 1e-12 * step;  % an event this close to an output time comes before the output
  t = times(:);
  y = zeros(numel(times), ctl.N_VAR);
  [param, changes] = apply_due(param, changes, t_span(1) + snap);
  model = model_functions(ctl, param);
  y0 = consistent_start(y0, ctl, model.rhs, model.jac, t_span(1), tags);
  y(1, :) = y0';
  from = t_span(1);
  while from < t_span(2)
    to = t_span(2);
    if ~isempty(changes)
      to = min(changes(1).time, to);
    end
    inside = find(times > from + snap & times < to - snap);
    states = integrate_span(model, ctl, options, from, times(inside), to, y0);
    y(inside, :) = states(1:end - 1, :);
    y0 = states(end, :)';
    if ~isempty(changes) && changes(1).time <= to + snap
      [param, changes] = apply_due(param, changes, to + snap);
      model = model_functions(ctl, param);
      y0 = consistent_start(y0, ctl, model.rhs, model.jac, to, tags);
    end
    y(abs(times - to) <= snap, :) = repmat(y0', nnz(abs(times - to) <= snap), 1);
    from = to;
  end
  if ~isempty(csv_file)
    write_csv(csv_file, tags, t, y);
  end
end

% The right-hand side and Jacobian at the parameter values `param`, the mass matrix, and the
% Jacobian's pattern when symcode wrote one (sparse matrices then).
function model = model_functions(ctl, param)
  gene = ctl.G_VALUE;
  model.rhs = @(tt, yy) reshape(ZYMORAX_usr_fvec(yy, gene, param, tt), [], 1);
  model.jac = @(tt, yy) ZYMORAX_usr_fjac(yy, gene, param);
  model.mass = ctl.MASS;
  model.pattern = jacobian_pattern(ctl.N_VAR);
  if ~isempty(model.pattern)
    [rows, columns] = find(model.pattern);
    at = sub2ind(size(model.pattern), rows, columns);
    model.jac = @(tt, yy) sparse_jacobian(ZYMORAX_usr_fjac(yy, gene, param), rows, columns, at);
    model.mass = sparse(model.mass);
  end
end

% ode15s from `from` (state y0, consistent) to `to`: the states at `inside` (strictly between)
% and at `to`, one row each.
function states = integrate_span(model, ctl, options, from, inside, to, y0)
  solver = odeset('Mass', model.mass, 'MStateDependence', 'none', 'Jacobian', model.jac, ...
                  'RelTol', option(options, 'RelTol', ctl.NDF_RTOL), ...
                  'AbsTol', option(options, 'AbsTol', ctl.NDF_ATOL), ...
                  'InitialSlope', initial_slope(y0, ctl.N_ALGEBR, model.rhs, model.jac, from));
  if ~isempty(model.pattern)
    solver = odeset(solver, 'JPattern', model.pattern);
  end
  if isempty(inside)  % ode15s would return its own steps for a two-element span
    [~, states] = ode15s(model.rhs, [from (from + to) / 2 to], y0, solver);
    states = states(3, :);
  else
    [~, states] = ode15s(model.rhs, [from inside to], y0, solver);
    states = states(2:end, :);
  end
end

function value = option(options, name, default)
  if isfield(options, name) && ~isempty(options.(name))
    value = options.(name);
  else
    value = default;
  end
end

function [ctl, start, param, event] = load_inputs(values)
  [ctl, start] = ZYMORAX_initial();
  merged = exist('ZYMORAX_Merge_init', 'file') == 2 && exist('ZYMORAX_Merge_param', 'file') == 2;
  if strcmp(values, 'merged') && ~merged
    error('ZYMORAX_simulate:inputs', ...
          'ZYMORAX_Merge_init.m and ZYMORAX_Merge_param.m are not here: run valscribe first.');
  end
  if strcmp(values, 'generated') || ~merged
    [param, event] = ZYMORAX_param();
    return;
  end
  try
    start = ZYMORAX_Merge_init();
    [param, event] = ZYMORAX_Merge_param();
  catch failure
    error('ZYMORAX_simulate:inputs', ...
          ['The merged scripts cannot be run (is a value blank in the parameter file that ' ...
           'valscribe read?): %s'], failure.message);
  end
end

% The sparse pattern of the Jacobian when symcode wrote one, else [].
function pattern = jacobian_pattern(n)
  pattern = [];
  if exist('ZYMORAX_usr_jpattern', 'file') ~= 2
    return;
  end
  pattern = ZYMORAX_usr_jpattern();
  if ~isequal(size(pattern), [n n])
    error('ZYMORAX_simulate:pattern', ...
          'ZYMORAX_usr_jpattern.m is %d by %d, the model has %d variables: run symcode again.', ...
          size(pattern, 1), size(pattern, 2), n);
  end
end

% The entries of the pattern taken from the dense Jacobian, as a sparse matrix.
function J = sparse_jacobian(dense, rows, columns, at)
  J = sparse(rows, columns, dense(at), size(dense, 1), size(dense, 2));
end

function [y0, tags] = initial_state(ctl, start)
  n = ctl.N_VAR;
  y0 = zeros(n, 1);
  tags = cell(1, n);
  blank = {};
  for k = 1:n
    if k > numel(start) || ~isfield(start(k), 'tag') || isempty(start(k).tag)
      blank{end + 1} = sprintf('  Y_START(%d) is missing', k);
      continue;
    end
    tags{k} = start(k).tag;
    if ~isfield(start(k), 'value') || isempty(start(k).value)
      blank{end + 1} = sprintf('  Y_START(%d) %s', k, start(k).tag);
    else
      y0(k) = start(k).value;
    end
  end
  report_blanks(blank);
end

% Every element is copied by the generated code, used or not; an empty one would be deleted
% from its array by that copy and shift the others, so none may stay empty.
function check_parameters(param)
  blank = {};
  labels = fieldnames(param);
  for i = 1:numel(labels)
    elements = param.(labels{i});
    for k = 1:numel(elements)
      if ~isfield(elements(k), 'value') || isempty(elements(k).value)
        tag = '';
        if isfield(elements(k), 'tag')
          tag = elements(k).tag;
        end
        blank{end + 1} = sprintf('  param.%s(%d) %s', labels{i}, k, tag);
      end
    end
  end
  report_blanks(blank);
end

function report_blanks(blank)
  if ~isempty(blank)
    error('ZYMORAX_simulate:blank', ...
          'These values are blank; fill them in the parameter file:\n%s', ...
          strjoin(blank, sprintf('\n')));
  end
end

function named = is_time_event(name)
  named = ischar(name) && (strcmp(name, ZYMORAX_Constant.TIME_START) || ...
                           strcmp(name, ZYMORAX_Constant.TIME_END));
end

% The events that set a parameter, by time (their order kept at equal times), each checked to
% name an element of param; those outside t_span are reported and dropped.
function changes = parameter_changes(event, param, t_span)
  changes = struct('time', {}, 'name', {}, 'index', {}, 'value', {});
  if ~isstruct(event)
    return;
  end
  for k = 1:numel(event)
    if is_time_event(event(k).name)
      continue;
    end
    name = char(event(k).name);
    if ~isfield(param, name) || ~isnumeric(event(k).index) || ~isscalar(event(k).index) || ...
       event(k).index < 1 || event(k).index ~= fix(event(k).index) || ...
       event(k).index > numel(param.(name))
      error('ZYMORAX_simulate:event', 'Event %d sets param.%s(%s), which does not exist.', ...
            k, name, num2str(event(k).index));
    end
    if ~is_number(event(k).time) || ~is_number(event(k).value)
      error('ZYMORAX_simulate:event', 'Event %d (param.%s(%d)) needs a time and a value.', ...
            k, name, event(k).index);
    end
    if event(k).time < t_span(1) || event(k).time > t_span(2)
      warning('ZYMORAX_simulate:event', ...
              ['Event %d (param.%s(%d)) at t = %.10g lies outside the simulated time %.10g ' ...
               'to %.10g; it is not applied.'], k, name, event(k).index, event(k).time, ...
              t_span(1), t_span(2));
      continue;
    end
    changes(end + 1) = struct('time', event(k).time, 'name', name, ...
                              'index', event(k).index, 'value', event(k).value);
  end
  if ~isempty(changes)
    [~, order] = sort([changes.time]);  % a stable sort
    changes = changes(order);
  end
end

function yes = is_number(value)
  yes = isnumeric(value) && isscalar(value) && isfinite(value);
end

% Applies the changes due at or before `time`, in their order; the others are left.
function [param, changes] = apply_due(param, changes, time)
  while ~isempty(changes) && changes(1).time <= time
    param.(changes(1).name)(changes(1).index).value = changes(1).value;
    changes(1) = [];
  end
end

function t_span = time_span(t_span, ctl, event)
  if isempty(t_span)
    t_span = [event_time(event, ZYMORAX_Constant.TIME_START, ctl.T_START), ...
              event_time(event, ZYMORAX_Constant.TIME_END, ctl.T_END)];
  end
  if ~isnumeric(t_span) || numel(t_span) ~= 2 || ~(t_span(2) > t_span(1))
    error('ZYMORAX_simulate:time', 'Give the time span as [start end] with end > start.');
  end
end

function time = event_time(event, name, default)
  time = default;
  if ~isstruct(event) || ~isfield(event, 'time')
    return;
  end
  for k = 1:numel(event)
    if strcmp(event(k).name, name) && ~isempty(event(k).time)
      time = event(k).time;
    end
  end
end

function times = output_times(t_span, step)
  if ~(step > 0)
    error('ZYMORAX_simulate:time', 'The output step must be positive.');
  end
  count = floor((t_span(2) - t_span(1)) / step + 1e-9);
  times = t_span(1) + (0:count) * step;
  if t_span(2) - times(end) > 1e-12 * step
    times(end + 1) = t_span(2);
  end
  times(end) = t_span(2);
end

function y = consistent_start(y, ctl, rhs, jac, t0, tags)
  a = ctl.N_ALGEBR;
  if a == 0
    return;
  end
  for trial = 1:ctl.NR_TRIAL
    f = rhs(t0, y);
    g = f(1:a);
    J = jac(t0, y);
    dx = -J(1:a, 1:a) \ g;
    y(1:a) = y(1:a) + dx;
    if norm(dx, inf) <= ctl.NR_TOL_X * max(1, norm(y(1:a), inf))
      break;
    end
  end
  f = rhs(t0, y);
  g = f(1:a);
  [worst, row] = max(abs(g));
  if ~(worst <= max(ctl.NR_TOL_F, 1e-9 * max(1, norm(y, inf))))
    error('ZYMORAX_simulate:initial', ...
          ['No consistent initial values of the algebraic variables after %d Newton steps: ' ...
           'algebraic equation %d (row of %s) gives %g.'], ctl.NR_TRIAL, row, tags{row}, g(row));
  end
end

% y' of the differential variables from their equations; that of the algebraic ones from the
% derivative of their equations, so that ode15s starts from consistent values.
function slope = initial_slope(y, a, rhs, jac, t0)
  f = rhs(t0, y);
  slope = zeros(size(y));
  slope(a + 1:end) = f(a + 1:end);
  if a > 0
    J = jac(t0, y);
    slope(1:a) = -J(1:a, 1:a) \ (J(1:a, a + 1:end) * slope(a + 1:end));
  end
end

function write_csv(csv_file, tags, t, y)
  out = fopen(csv_file, 'w');
  if out < 0
    error('ZYMORAX_simulate:csv', 'Cannot open %s for writing.', csv_file);
  end
  fprintf(out, 'time');
  fprintf(out, ',%s', tags{:});
  fprintf(out, '\n');
  fprintf(out, [repmat('%.10g,', 1, size(y, 2)) '%.10g\n'], [t(:) y]');
  fclose(out);
end
